#pragma once

#include "Payments.h"

#include <QDate>
#include <QString>
#include <array>

/// The header of the current document. Fields named like tblInvHeader columns
/// mirror them, typed as what they stand for (the store writes them in their stored
/// form); the bln fields are working state that is never stored.
struct TrecInvHeader
{
    QString strInvName;
    int intInvNumber = 0;
    /// The document date; invalid for a blank hand-write form, which has none.
    QDate strInvDate;
    QString strFromInvNameNumber;
    bool strRecurring = false;
    bool strPaidInFull = false;
    int intInvFootNotes = 0;
    QString strCustCmpnyName;
    QString strCustFullName;
    QString strCustAddress;
    QString strCustCtyStZp;
    QString strCustMainPhone;
    QString strCustExtraPhone1;
    QString strCustExtraPhone2;
    QString strCustPymntTerms;
    QString strCustPONumber;
    QString strCustTaxExemptNum;
    int intCustDiscountPercent = 0;
    QString strCustNotes;
    bool strCustTaxExempt = false;
    bool strUseTax1 = false;
    bool strUseTax2 = false;
    bool strUseTax3 = false;
    double dbTaxRate1 = 0;
    double dbTaxRate2 = 0;
    double dbTaxRate3 = 0;
    double dbPaidAmount = 0;
    double dbDepositAmount = 0;
    /// When the document is due as the user set it; invalid when it follows the
    /// date and the payment terms (DueDates::dueDate).
    QDate strDueDate;
    /// The customer picked for the document (tblCustomers); 0 for none.
    qint64 intCustomerID = 0;
    /// Shared by an estimate and every document made from it (conversions, change
    /// orders, past-due notices); a document that starts a job has its own number.
    /// 0 until the document is first saved.
    int intJobID = 0;
    /// What is still owed: the total less the paid amount (deposits received on a
    /// deposit kind), nothing on an invoice paid in full; computed, and stored in the column strInvTotal
    /// (C-form decimal) for the lists that show it.
    double dbInvBalance = 0;

    bool blnNewInvoice = false;
    bool blnManualForm = false;
    bool blnAddSignatureLine = false;
    bool blnPrintContract = false;
    bool blnPrintWarranty = false;
};

/// Labor and material totals: [0] the total after discount, [1..3] taxes 1 to 3.
struct DocumentTotals
{
    std::array<double, 4> LbrTotals{};
    std::array<double, 4> MatTotals{};

    /// The eight amounts in tblReport column order: labor taxes 1-3, material
    /// taxes 1-3, labor total, material total.
    [[nodiscard]] std::array<double, 8> reportAmounts() const
    {
        return {LbrTotals[1], LbrTotals[2], LbrTotals[3], MatTotals[1], MatTotals[2], MatTotals[3], LbrTotals[0],
                MatTotals[0]};
    }
};

/// How a document's figures are worked out. Kept with the document, so one printed
/// before the figures were rounded once keeps its figures until what prices it
/// changes.
enum class PricingRule {
    /// Each line's labor and material rounded apart, the discount per line and part,
    /// each tax rounded once on labor and once on material.
    PartsRoundedApart,
    /// Each figure the customer can check rounded once (RoundedOnce).
    RoundedOnce,
};

/// What the database held for the current document when it was last loaded or
/// saved; the report posting undoes it before posting the new state.
struct TrecSavedData
{
    QString strInvName;
    bool strPaidInFull = false;
    QDate strInvDate;
    DocumentTotals totals;
    /// The stored row's intRowVersion: a save writes only over this version.
    qint64 intRowVersion = 0;
    /// What the user edits on the document besides its payments, as loaded
    /// (DocumentMerge::contentKey), and the payments as loaded, so a save that finds
    /// the document changed meanwhile can tell what the other copy did.
    QString content;
    QList<Payment> payments;
    /// The rule the stored figures were worked out and posted with, and what priced
    /// them (Totals::pricingInputs): while that is unchanged the rule stays.
    PricingRule pricingRule = PricingRule::RoundedOnce;
    QString pricingInputs;
};

/// The texts printed below the lines.
struct TrecPrintData
{
    QString strInvFootNotes;
    QString strDiscount;
    QString strDepositPaid;
    QString strTax;
    QString strSubTotal;
    QString strTotal;
    /// Deposits received on a deposit kind; empty when none were.
    QString strDepositReceived = {};
};
