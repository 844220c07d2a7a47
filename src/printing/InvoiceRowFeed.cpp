#include "InvoiceRowFeed.h"

#include "ReportError.h"
#include "ReportFonts.h"
#include "invoice/DocumentContext.h"
#include "core/Edition.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "invoice/Totals.h"
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
    const double labor = lineNumber(lines.cell(row, InvoiceLines::LabPrice), locale, row, QStringLiteral("labor price"));
    const double material = lineNumber(lines.cell(row, InvoiceLines::MatPrice), locale, row, QStringLiteral("material price"));
    const double priceEach = labor + material;

    QStringList values(5);
    values[0] = lines.cell(row, InvoiceLines::Description);
    for (int i = 0; i < shown.size(); ++i) {
        QString text;
        switch (shown.at(i)) {
        case Value::Total:
            // Before discount, in the cents the Sub Total is the sum of.
            text = Money::currencyText(Totals::lineAmounts(quantity, labor, material, 0).beforeDiscount(), locale);
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
    for (int row = 0; row < document.lines.rowCount(); ++row)
        feed.rows.append(priceLineRow(document.lines, row, shown, context.locale));
    for (const QString &line : ReportFonts::memoLines(document.notes))
        feed.rows.append(textRow(line));
    return feed;
}

} // namespace InvoiceRows
