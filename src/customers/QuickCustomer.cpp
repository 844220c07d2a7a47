#include "QuickCustomer.h"

#include "invoice/InvoiceRecords.h"

bool QuickCustomer::canUse() const
{
    return !firstName.trimmed().isEmpty() || !lastName.trimmed().isEmpty() || !companyName.trimmed().isEmpty();
}

void QuickCustomer::applyTo(TrecInvHeader &header) const
{
    header.intCustomerID = 0; // typed, not picked from the customer list
    header.strCustCmpnyName = companyName;
    header.strCustFullName = (firstName.isEmpty() && lastName.isEmpty()) ? QString()
                                                                          : firstName + QLatin1Char(' ') + lastName;
    header.strCustAddress = address;
    // Always three parts, so the printed line keeps its shape whatever was left out.
    header.strCustCtyStZp = city + QLatin1Char(' ') + state + QLatin1Char(' ') + zipCode;
    header.strCustMainPhone = mainPhone;
    header.strCustExtraPhone1.clear();
    header.strCustExtraPhone2.clear();
    header.strCustPymntTerms.clear();
    header.intCustDiscountPercent = 0;
    header.strCustNotes.clear();
    header.strCustTaxExempt = false;
    header.strCustTaxExemptNum.clear();
}
