#include "DueDates.h"

#include "InvoiceRecords.h"

namespace DueDates {

QDate dueDate(const TrecInvHeader &header)
{
    return header.strDueDate.isValid() ? header.strDueDate : fromTerms(header.strInvDate, header.strCustPymntTerms);
}

} // namespace DueDates
