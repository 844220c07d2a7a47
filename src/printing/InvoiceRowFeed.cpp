#include "InvoiceRowFeed.h"

#include "ReportFonts.h"
#include "invoice/DocumentContext.h"
#include "core/Edition.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "invoice/Totals.h"
#include "invoice/WorkSheetText.h"

namespace InvoiceRows {

namespace {

QStringList priceLineRow(const PriceLine &line, PricingRule rule, const QList<Value> &shown, const QLocale &locale)
{
    const Totals::PrintedLine printed = Totals::printedLine(line, rule);
    QStringList values(5);
    values[0] = line.description;
    for (int i = 0; i < shown.size(); ++i) {
        QString text;
        switch (shown.at(i)) {
        case Value::Total:
            // Before discount, in the cents the Sub Total is the sum of.
            text = Money::currencyText(printed.total, locale);
            break;
        case Value::PriceEach:
            text = Money::currencyText(printed.each, locale);
            break;
        case Value::Quantity:
            text = Money::decimalText(line.quantity, locale);
            break;
        }
        values[1 + i] = text;
    }
    return values;
}

QStringList textRow(const QString &text)
{
    return {text, QString(), QString(), QString(), QString()};
}

} // namespace

bool pricesShown(const QString &kind, const TrecCmpnyInvData &settings)
{
    return !DocumentKinds::is(kind, DocumentKinds::kWorkOrder) || settings.strShowTotalonWO;
}

QList<Value> shownValues(const QString &kind, const TrecCmpnyInvData &settings)
{
    QList<Value> shown;
    if (pricesShown(kind, settings)) {
        if (settings.strShowTotal)
            shown.append(Value::Total);
        if (settings.strShowPrcEach)
            shown.append(Value::PriceEach);
    }
    if (settings.strShowQuantity)
        shown.append(Value::Quantity);
    return shown;
}

const QStringList &valueColumns()
{
    static const QStringList columns = {kRight, kMiddle, kLeft};
    return columns;
}

RowFeed RvCustomConnectionInvoice(const DocumentContext &context)
{
    RowFeed feed;
    feed.name = kFeedName;
    feed.columns = {kDescription, kRight, kMiddle, kLeft, kKeepWithNext};

    const CurrentDocument &document = context.document;
    if (document.header.blnManualForm)
        return feed;

    if (context.edition().usesWorkSheets()) {
        // Each sheet is a block of lines ended by an empty one.
        const QStringList lines =
            ReportFonts::memoLines(WorkSheetText::GetWorkSheetText(document, context.company, context.locale));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QStringList row = textRow(lines.at(i));
            if (!lines.at(i).isEmpty() && !lines.value(i + 1).isEmpty())
                row[4] = QStringLiteral("1");
            feed.rows.append(row);
        }
        return feed;
    }

    const QList<Value> shown = shownValues(document.header.strInvName, context.company.invData);
    const PricingRule rule = Totals::ruleFor(document);
    for (const PriceLine &line : document.lines.priceLines())
        feed.rows.append(priceLineRow(line, rule, shown, context.locale));
    for (const QString &line : ReportFonts::memoLines(document.notes))
        feed.rows.append(textRow(line));
    return feed;
}

} // namespace InvoiceRows
