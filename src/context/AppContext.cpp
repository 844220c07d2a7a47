#include "AppContext.h"

#include "core/Edition.h"

void AppContext::pSetInvoiceTypes()
{
    selectedLineIndex = 0;
    company.invData.strInvFootNote[0].clear();
    InvoiceTypes = edition().invoiceTypes();
}
