#include "InvoiceRowFeed.h"

#include "ReportFonts.h"
#include "app/AppContext.h"
#include "core/Edition.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "worksheets/WorkSheetText.h"

namespace InvoiceRows {

namespace {

QStringList priceLineRow(const PriceLine &line, const QList<Value> &shown, const QLocale &locale)
{
    const double priceEach = line.laborPrice + line.materialPrice;
    QStringList values(4);
    values[0] = line.description;
    for (int i = 0; i < shown.size(); ++i) {
        QString text;
        switch (shown.at(i)) {
        case Value::Total:
            text = Money::currencyText(line.quantity * priceEach, locale);
            break;
        case Value::PriceEach:
            text = Money::currencyText(priceEach, locale);
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
    return {text, QString(), QString(), QString()};
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

RowFeed RvCustomConnectionInvoice(const AppContext &context)
{
    RowFeed feed;
    feed.name = kFeedName;
    feed.columns = {kDescription, kRight, kMiddle, kLeft};

    const CurrentDocument &document = context.document;
    if (document.header.blnManualForm)
        return feed;

    if (context.edition().usesWorkSheets()) {
        for (const QString &line : ReportFonts::memoLines(WorkSheetText::GetWorkSheetText(document, context.company, context.locale)))
            feed.rows.append(textRow(line));
        return feed;
    }

    const QList<Value> shown = shownValues(document.header.strInvName, context.company.invData);
    for (const PriceLine &line : document.lines.priceLines())
        feed.rows.append(priceLineRow(line, shown, context.locale));
    for (const QString &line : ReportFonts::memoLines(document.notes))
        feed.rows.append(textRow(line));
    return feed;
}

} // namespace InvoiceRows
