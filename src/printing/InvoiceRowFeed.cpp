#include "InvoiceRowFeed.h"

#include "ReportError.h"
#include "ReportFonts.h"
#include "invoice/DocumentContext.h"
#include "core/Edition.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "invoice/WorkSheetText.h"

#include <cmath>

namespace InvoiceRows {

namespace {

double lineNumber(const QString &text, const QLocale &locale, int line, const QString &what)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok); // "0.0" is written for an empty price
    if (!ok || !std::isfinite(value)) {
        throw ReportError(QStringLiteral("The %1 \"%2\" of line %3 is not a number, so the document cannot be printed.")
                              .arg(what, text)
                              .arg(line + 1));
    }
    return value;
}

QStringList priceLineRow(const InvoiceLines &lines, int row, const QList<Value> &shown, const QLocale &locale)
{
    const double quantity = lineNumber(lines.cell(row, InvoiceLines::Quantity), locale, row, QStringLiteral("quantity"));
    const double priceEach = lineNumber(lines.cell(row, InvoiceLines::LabPrice), locale, row, QStringLiteral("labor price"))
                             + lineNumber(lines.cell(row, InvoiceLines::MatPrice), locale, row, QStringLiteral("material price"));

    QStringList values(4);
    values[0] = lines.cell(row, InvoiceLines::Description);
    for (int i = 0; i < shown.size(); ++i) {
        QString text;
        switch (shown.at(i)) {
        case Value::Total:
            text = Money::currencyText(quantity * priceEach, locale);
            break;
        case Value::PriceEach:
            text = Money::currencyText(priceEach, locale);
            break;
        case Value::Quantity:
            text = lines.cell(row, InvoiceLines::Quantity);
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

RowFeed RvCustomConnectionInvoice(const DocumentContext &context)
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
    for (int row = 0; row < document.lines.rowCount(); ++row)
        feed.rows.append(priceLineRow(document.lines, row, shown, context.locale));
    for (const QString &line : ReportFonts::memoLines(document.notes))
        feed.rows.append(textRow(line));
    return feed;
}

} // namespace InvoiceRows
