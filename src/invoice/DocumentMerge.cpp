#include "DocumentMerge.h"

#include "CurrentDocument.h"
#include "Money.h"
#include "data/DateText.h"

#include <QVariant>
#include <functional>

namespace DocumentMerge {

namespace {

struct Field
{
    const char *caption;
    std::function<QVariant(const CurrentDocument &)> value;
};

#define HEADER_FIELD(caption, member) Field{caption, [](const CurrentDocument &d) { return QVariant(d.header.member); }}

// The header fields the user edits; what follows from the payments is left out.
const QList<Field> &fields()
{
    static const QList<Field> all = {
        HEADER_FIELD("Kind", strInvName),
        HEADER_FIELD("Date", strInvDate),
        HEADER_FIELD("Made from", strFromInvNameNumber),
        HEADER_FIELD("Recurring", strRecurring),
        HEADER_FIELD("Foot note", intInvFootNotes),
        HEADER_FIELD("Company name", strCustCmpnyName),
        HEADER_FIELD("Customer name", strCustFullName),
        HEADER_FIELD("Address", strCustAddress),
        HEADER_FIELD("City, state and zip", strCustCtyStZp),
        HEADER_FIELD("Main phone", strCustMainPhone),
        HEADER_FIELD("Extra phone 1", strCustExtraPhone1),
        HEADER_FIELD("Extra phone 2", strCustExtraPhone2),
        HEADER_FIELD("Tax exempt number", strCustTaxExemptNum),
        HEADER_FIELD("PO number", strCustPONumber),
        HEADER_FIELD("Payment terms", strCustPymntTerms),
        HEADER_FIELD("Customer notes", strCustNotes),
        HEADER_FIELD("Discount percent", intCustDiscountPercent),
        HEADER_FIELD("Tax exempt", strCustTaxExempt),
        HEADER_FIELD("Tax 1 used", strUseTax1),
        HEADER_FIELD("Tax 2 used", strUseTax2),
        HEADER_FIELD("Tax 3 used", strUseTax3),
        HEADER_FIELD("Tax rate 1", dbTaxRate1),
        HEADER_FIELD("Tax rate 2", dbTaxRate2),
        HEADER_FIELD("Tax rate 3", dbTaxRate3),
        HEADER_FIELD("Deposit", dbDepositAmount),
        HEADER_FIELD("Due date", strDueDate),
        HEADER_FIELD("Customer", intCustomerID),
        HEADER_FIELD("Job", intJobID),
        Field{"Notes", [](const CurrentDocument &d) { return QVariant(d.notes); }},
    };
    return all;
}

#undef HEADER_FIELD

// Doubles in full precision, so two different amounts never read alike.
QString keyText(const QVariant &value)
{
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 17);
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    return value.toString();
}

QString shownText(const QVariant &value, const QLocale &locale)
{
    switch (value.typeId()) {
    case QMetaType::Double:
        return locale.toString(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().isValid() ? DateText::shortDate(value.toDate(), locale) : QStringLiteral("none");
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    default: {
        const QString text = value.toString();
        return text.isEmpty() ? QStringLiteral("empty") : QStringLiteral("\"%1\"").arg(text);
    }
    }
}

QString linesKey(const CurrentDocument &doc)
{
    QStringList parts;
    const auto number = [](double value) { return QString::number(value, 'g', 17); };
    for (const PriceLine &line : doc.lines.priceLines()) {
        parts << line.description << number(line.quantity) << number(line.laborPrice) << number(line.materialPrice)
              << QString::number(line.laborTaxable) << QString::number(line.materialTaxable);
    }
    for (const WorkSheet &sheet : doc.lines.workSheets()) {
        parts << sheet.strWorkSheetName << sheet.strExtraChargesName << number(sheet.dbExtraChargesLabor)
              << number(sheet.dbExtraChargesMaterial);
        for (int count : sheet.counts())
            parts << QString::number(count);
    }
    return parts.join(QChar(0x1f));
}

QString pricesKey(const CurrentDocument &doc)
{
    QStringList parts;
    for (std::size_t item = 0; item < doc.LbrPrices.size(); ++item) {
        parts << QString::number(doc.LbrPrices[item], 'g', 17) << QString::number(doc.MatPrices[item], 'g', 17);
    }
    return parts.join(QChar(0x1f));
}

bool startsWith(const QList<Payment> &payments, const QList<Payment> &prefix)
{
    return payments.size() >= prefix.size() && payments.mid(0, prefix.size()) == prefix;
}

QString paymentLine(const Payment &payment, const QLocale &locale)
{
    const QString date = payment.date.isValid() ? DateText::shortDate(payment.date, locale) : QStringLiteral("no date");
    return QStringLiteral("Payment of %1 on %2 (%3)")
        .arg(Money::currencyText(payment.amount, locale), date, Payments::methodCaption(payment.method));
}

} // namespace

QString contentKey(const CurrentDocument &doc)
{
    QStringList parts;
    for (const Field &field : fields())
        parts << keyText(field.value(doc));
    parts << linesKey(doc) << pricesKey(doc);
    return parts.join(QChar(0x1e));
}

QList<Payment> newPayments(const CurrentDocument &doc)
{
    if (!startsWith(doc.payments, doc.saved.payments))
        return doc.payments;
    return doc.payments.mid(doc.saved.payments.size());
}

bool combine(CurrentDocument &mine, const CurrentDocument &theirs)
{
    const TrecSavedData &base = mine.saved;
    // Only payments added by them, on top of payments this copy kept as loaded.
    if (contentKey(theirs) != base.content || !startsWith(theirs.payments, base.payments)
        || !startsWith(mine.payments, base.payments)) {
        return false;
    }
    const QList<Payment> theirNew = theirs.payments.mid(base.payments.size());
    const QList<Payment> myNew = mine.payments.mid(base.payments.size());
    mine.payments = theirs.payments + myNew;
    // An amount paid typed on this copy stays the difference it was.
    mine.header.dbPaidAmount += Payments::sum(theirNew);
    if (mine.header.strPaidInFull == base.strPaidInFull)
        mine.header.strPaidInFull = theirs.header.strPaidInFull;
    mine.saved = theirs.saved;
    return true;
}

QStringList lostByOverwrite(const CurrentDocument &mine, const CurrentDocument &theirs, const QLocale &locale)
{
    QStringList lost;
    QList<Payment> kept = mine.payments;
    for (const Payment &payment : theirs.payments) {
        if (!kept.removeOne(payment))
            lost << paymentLine(payment, locale);
    }
    if (theirs.header.strPaidInFull != mine.header.strPaidInFull) {
        lost << QStringLiteral("Paid in full: %1").arg(shownText(theirs.header.strPaidInFull, locale));
    }
    for (const Field &field : fields()) {
        const QVariant stored = field.value(theirs);
        if (keyText(stored) != keyText(field.value(mine)))
            lost << QStringLiteral("%1: %2").arg(QLatin1String(field.caption), shownText(stored, locale));
    }
    if (linesKey(theirs) != linesKey(mine))
        lost << QStringLiteral("The lines as stored (%1)").arg(theirs.lines.rowCount());
    if (pricesKey(theirs) != pricesKey(mine))
        lost << QStringLiteral("The work-sheet prices as stored");
    return lost;
}

} // namespace DocumentMerge
