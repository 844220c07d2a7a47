#include "ListReports.h"

#include "BandLayout.h"
#include "ReportFonts.h"
#include "core/TablePrintout.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/StoredForm.h"
#include "invoice/Money.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace ListReports {

namespace {

const ReportFont kFont{};
constexpr double kRowWidth = 7.9;

TextItem pageNumber(double top, int page, int pages)
{
    return Items::text(QStringLiteral("rvtxtPageNumber"), 5.7, top, 2.5, kFont, Qt::AlignRight,
                       pageNumberText(page, pages));
}

LineItem dottedSeparator()
{
    LineItem line = Items::horizontalLine(QStringLiteral("rvlnSeparator"), 0, 0.1, kRowWidth);
    line.style = Qt::DotLine;
    return line;
}

TextItem cell(const QString &name, double left, double top, double width, const QString &text,
              Qt::Alignment alignment = Qt::AlignLeft)
{
    return Items::cell(name, left, top, width, kFont, alignment, text);
}

/// Whole-number boolean text, as the list reads it: anything but 0 is set.
bool isSet(const QString &text)
{
    return text.trimmed().toLongLong() != 0;
}

/// Where each column of a table prints: its left edge and width in inches.
struct TableColumn
{
    double left = 0;
    double width = 0;
    bool right = false;
};

/// The columns of a table from its parameters. Columns without a usable width
/// share what the others leave of the row; a row wider than the page is narrowed
/// proportionally, so every column stays on the sheet.
QList<TableColumn> tableColumns(const ReportParameters &parameters, qsizetype count)
{
    const QStringList widthTexts
        = parameters.value(TableParameters::columnWidths).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString rightAligned = parameters.value(TableParameters::rightAligned);
    QList<TableColumn> columns(count);
    double given = 0;
    int missing = 0;
    for (qsizetype i = 0; i < count; ++i) {
        bool ok = false;
        const double width = widthTexts.value(i).trimmed().toDouble(&ok); // C number form, never the locale's
        columns[i].width = ok && width > 0 && std::isfinite(width) ? width : 0;
        columns[i].right = i < rightAligned.size() && rightAligned.at(i) == QLatin1Char('1');
        given += columns[i].width;
        missing += columns[i].width == 0 ? 1 : 0;
    }
    const double share = missing > 0 ? std::max((kRowWidth - given) / missing, 0.75) : 0;
    double total = 0;
    for (TableColumn &column : columns) {
        if (column.width == 0)
            column.width = share;
        total += column.width;
    }
    const double scale = total > kRowWidth ? kRowWidth / total : 1.0;
    double left = 0;
    for (TableColumn &column : columns) {
        column.width *= scale;
        column.left = left;
        left += column.width;
    }
    return columns;
}

/// A table cell that keeps to its column: a left-aligned text is cut short with an
/// ellipsis; a right-aligned one (an amount) is made smaller first, so it shows
/// whole whenever it can.
TextItem tableCell(const QString &name, const TableColumn &column, double top, const ReportFont &font,
                   const QString &text)
{
    constexpr double kPadding = 0.05;
    const double room = std::max(column.width - 2 * kPadding, 0.0);
    const double left = column.left + kPadding;
    TextItem item = column.right ? Items::fittedCell(name, left, top, room, font, Qt::AlignRight, text)
                                 : Items::cell(name, left, top, room, font, Qt::AlignLeft, text);
    item.text = ReportFonts::elided(item.font, text, room);
    return item;
}

} // namespace

RowFeed RvCustomConnectionPriceHeddrin(const QList<QStringList> &listedRows)
{
    RowFeed feed{QStringLiteral("RvCustomConnectionPriceHeddrin"),
                 {QStringLiteral("rvstrDescription"), QStringLiteral("rvstrLabPrice"), QStringLiteral("rvstrMatPrice")},
                 {}};
    for (const QStringList &row : listedRows)
        feed.rows.append({row.value(0), row.value(1), row.value(2)});
    return feed;
}

RowFeed RvCustomConnectionCustomer(Database &db, const QList<qint64> &customerIds)
{
    RowFeed feed{QStringLiteral("RvCustomConnectionCustomer"),
                 {QStringLiteral("rvstrCustomerID"), QStringLiteral("rvstrCustCompany"),
                  QStringLiteral("rvstrCustFirstLastName"), QStringLiteral("rvstrCustAddress"),
                  QStringLiteral("rvstrCustCityStateZip"), QStringLiteral("rvstrCustMainPhone"),
                  QStringLiteral("rvstrCustExtraPhone1"), QStringLiteral("rvstrCustExtraPhone2"),
                  QStringLiteral("rvstrCustExtraPhone1Nm"), QStringLiteral("rvstrCustExtraPhone2Nm"),
                  QStringLiteral("rvstrCustDiscount"), QStringLiteral("rvstrCustTaxExmpNmbr"),
                  QStringLiteral("rvstrCustPmtTerms"), QStringLiteral("rvstrCustNotes")},
                 {}};
    Statement query = db.prepare(QStringLiteral(
        "SELECT intCustomerID, strCustFirstName, strCustLastName, strCustCompany, strCustAddress, strCustCity, "
        "strCustState, strCustZipCode, strCustMainPhone, strCustExtraPhone1, strCustExtraPhone2, "
        "strCustExtraPhone1Name, strCustExtraPhone2Name, intCustDiscount, strCustTaxExmpt, strCustTaxExmpNmbr, "
        "strCustPmtTerms, strCustNotes FROM tblCustomers WHERE intCustomerID = ?"));
    for (qint64 id : customerIds) {
        query.reset();
        query.bind(1, id);
        if (!query.step()) {
            feed.rows.append(QStringList(feed.columns.size()));
            continue;
        }
        const bool exempt = isSet(query.textAt(14));
        const QString number = query.textAt(15);
        QString taxText = exempt ? QStringLiteral("Tax Exempt") : QString();
        if (exempt && !number.isEmpty())
            taxText += QStringLiteral(", ");
        if (!number.isEmpty())
            taxText += QStringLiteral("Tax Number: ") + number;
        feed.rows.append({query.textAt(0), query.textAt(3), query.textAt(1) + QLatin1Char(' ') + query.textAt(2),
                          query.textAt(4),
                          query.textAt(5) + QLatin1Char(',') + query.textAt(6) + QLatin1Char(' ') + query.textAt(7),
                          query.textAt(8), query.textAt(9), query.textAt(10), query.textAt(11) + QLatin1Char(':'),
                          query.textAt(12) + QLatin1Char(':'), QStringLiteral("Discount Percent: ") + query.textAt(13),
                          taxText, query.textAt(16), query.textAt(17)});
    }
    return feed;
}

RowFeed RvCustomConnectionInvMaint(std::shared_ptr<const RowSource> listed)
{
    return {QStringLiteral("RvCustomConnectionInvMaint"),
            {QStringLiteral("rvstrInvNumber"), QStringLiteral("rvstrInvType"), QStringLiteral("rvstrCustomer"),
             QStringLiteral("rvstrCompany"), QStringLiteral("rvstrTotal"), QStringLiteral("rvstrInfo")},
            {},
            std::move(listed)};
}

RowFeed RvCustomConnectionPlanner(Database &db, const QList<PlannerListRow> &rows, bool dayList,
                                  const QLocale &locale)
{
    RowFeed feed{QStringLiteral("RvCustomConnectionPlanner"),
                 {QStringLiteral("rvstrActDateWkMnth"), QStringLiteral("rvstrActStartWkMnth"),
                  QStringLiteral("rvstrActEndWkMnth"), QStringLiteral("rvstrActivityWkMnth"),
                  QStringLiteral("rvstrActStartDay"), QStringLiteral("rvstrActEndDay"), QStringLiteral("rvstrActivityDay"),
                  QStringLiteral("rvstrActivityNotes")},
                 {}};
    Statement query = db.prepare(QStringLiteral(
        "SELECT strActStartDateTime,strActEndDateTime,strActivity,strActNote FROM tblPlanner WHERE intActID = ?"));
    for (const PlannerListRow &row : rows) {
        query.reset();
        query.bind(1, row.activityId);
        if (!query.step()) {
            feed.rows.append(QStringList(feed.columns.size()));
            continue;
        }
        const auto shown = [&locale](const QString &stored) {
            const std::optional<QDateTime> when = StoredForm::readDateTime(stored);
            return when ? DateText::shortDateLongTime(*when, locale) : stored;
        };
        const QString start = shown(query.textAt(0)), end = shown(query.textAt(1)), activity = query.textAt(2),
                      notes = query.textAt(3);
        if (dayList)
            feed.rows.append({QString(), QString(), QString(), QString(), start, end, activity, notes});
        else
            feed.rows.append({row.dateText, start, end, activity, QString(), QString(), QString(), notes});
    }
    return feed;
}

ReportParameters pSetPlannerData(const QString &listKindText, const QString &datesText, bool dayList)
{
    const auto shownIf = [](bool shown, const char *text) { return shown ? QString::fromLatin1(text) : QString(); };
    return {{QStringLiteral("rvstrPlannerTitle"), listKindText + QStringLiteral(" of Activities for:")},
            {QStringLiteral("rvstrPlannerDates"), datesText},
            {QStringLiteral("rvstrActStartDayHdng"), shownIf(dayList, "Start Date")},
            {QStringLiteral("rvstrActEndDayHdng"), shownIf(dayList, "End Date")},
            {QStringLiteral("rvstrActivityDayHdng"), shownIf(dayList, "Activity")},
            {QStringLiteral("rvstrActDateWkMnthHdng"), shownIf(!dayList, "Activity Date")},
            {QStringLiteral("rvstrActStartWkMnthHdng"), shownIf(!dayList, "Start Date")},
            {QStringLiteral("rvstrActEndWkMnthHdng"), shownIf(!dayList, "End Date")},
            {QStringLiteral("rvstrActivityWkMnthHdng"), shownIf(!dayList, "Activity")}};
}

QList<ReportPage> ReportPriceSheet(const ListPrintout &printout)
{
    const RowFeed &feed = printout.rows;
    QList<Band> bands;
    for (int row = 0; row < feed.rowCount(); ++row) {
        const auto value = [&](const char *column) { return feed.value(row, QLatin1String(column)); };
        bands.append(Band{0.6,
                          {dottedSeparator(), cell(QStringLiteral("rvstrDescription"), 0.1, 0.2, 5.0, value("rvstrDescription")),
                           cell(QStringLiteral("rvlblLabor"), 4.4, 0.2, 1.3, QStringLiteral("Labor:"), Qt::AlignRight),
                           cell(QStringLiteral("rvstrLabPrice"), 5.8, 0.2, 1.2, value("rvstrLabPrice")),
                           cell(QStringLiteral("rvlblMaterial"), 4.4, 0.4, 1.3, QStringLiteral("Material:"), Qt::AlignRight),
                           cell(QStringLiteral("rvstrMatPrice"), 5.8, 0.4, 1.2, value("rvstrMatPrice")),
                           cell(QStringLiteral("rvstrLabTaxable"), 7.0, 0.2, 0.9, value("rvstrLabTaxable"), Qt::AlignHCenter),
                           cell(QStringLiteral("rvstrMatTaxable"), 7.0, 0.4, 0.9, value("rvstrMatTaxable"), Qt::AlignHCenter)}});
    }
    const QString title = printout.parameters.value(QStringLiteral("PriceSheetHeader"));
    return layoutBands(QRectF(0.3, 1.0, kRowWidth, 9.4), bands, [&title](ReportPage &page, int number, int count) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.3, 0.3, kRowWidth, kFont, Qt::AlignHCenter, title));
        page.add(pageNumber(0.5, number, count));
        page.add(cell(QStringLiteral("rvlblDescriptionHdng"), 0.3, 0.8, 2.0, QStringLiteral("Price Item Description")));
        page.add(cell(QStringLiteral("rvlblPriceHdng"), 6.1, 0.8, 1.2, QStringLiteral("Price")));
        page.add(cell(QStringLiteral("rvlblTaxableHdng"), 7.3, 0.8, 0.9, QStringLiteral("Taxable"), Qt::AlignHCenter));
    });
}

QList<ReportPage> ReportPriceSheetHeddrin(const ListPrintout &printout)
{
    const RowFeed &feed = printout.rows;
    QList<Band> bands;
    for (int row = 0; row < feed.rowCount(); ++row) {
        const auto value = [&](const char *column) { return feed.value(row, QLatin1String(column)); };
        bands.append(Band{0.6,
                          {dottedSeparator(), cell(QStringLiteral("rvstrDescription"), 0.0, 0.2, 5.6, value("rvstrDescription")),
                           cell(QStringLiteral("rvlblLabor"), 5.6, 0.2, 1.0, QStringLiteral("Labor:"), Qt::AlignRight),
                           cell(QStringLiteral("rvstrLabPrice"), 6.7, 0.2, 1.2, value("rvstrLabPrice")),
                           cell(QStringLiteral("rvlblMaterial"), 5.6, 0.4, 1.0, QStringLiteral("Material:"), Qt::AlignRight),
                           cell(QStringLiteral("rvstrMatPrice"), 6.7, 0.4, 1.2, value("rvstrMatPrice"))}});
    }
    const QString title = printout.parameters.value(QStringLiteral("rvstrPriceSheetTitle"));
    return layoutBands(QRectF(0.3, 1.0, kRowWidth, 9.4), bands, [&title](ReportPage &page, int number, int count) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.3, 0.3, kRowWidth, kFont, Qt::AlignHCenter, title));
        page.add(pageNumber(0.5, number, count));
        page.add(cell(QStringLiteral("rvlblDescriptionHdng"), 0.3, 0.8, 3.3, QStringLiteral("Price Item Description")));
        page.add(cell(QStringLiteral("rvlblPriceHdng"), 7.0, 0.8, 1.2, QStringLiteral("Price")));
    });
}

QList<ReportPage> ReportCustomerList(const ListPrintout &printout)
{
    const RowFeed &feed = printout.rows;
    const double lineHeight = ReportFonts::lineHeight(kFont);
    QList<Band> bands;
    for (int row = 0; row < feed.rowCount(); ++row) {
        const auto value = [&](const char *column) { return feed.value(row, QLatin1String(column)); };
        const QString notes = value("rvstrCustNotes");
        const double notesHeight
            = std::max(0.2, double(ReportFonts::wrapLines(kFont, notes, 6.7).size()) * lineHeight);
        QList<PageItem> items = {
            dottedSeparator(),
            cell(QStringLiteral("rvlblCustomerNumber"), 0.1, 0.2, 1.4, QStringLiteral("Customer Number:"), Qt::AlignRight),
            cell(QStringLiteral("rvstrCustomerID"), 1.6, 0.2, 1.6, value("rvstrCustomerID")),
            cell(QStringLiteral("rvstrCustCompany"), 0.0, 0.4, 3.2, value("rvstrCustCompany")),
            cell(QStringLiteral("rvstrCustFirstLastName"), 0.0, 0.6, 3.2, value("rvstrCustFirstLastName")),
            cell(QStringLiteral("rvstrCustAddress"), 0.0, 0.8, 3.2, value("rvstrCustAddress")),
            cell(QStringLiteral("rvstrCustCityStateZip"), 0.0, 1.0, 3.2, value("rvstrCustCityStateZip")),
            cell(QStringLiteral("rvstrCustDiscount"), 0.0, 1.2, 3.2, value("rvstrCustDiscount")),
            cell(QStringLiteral("rvlblMainPhone"), 3.5, 0.4, 1.2, QStringLiteral("Main Phone:"), Qt::AlignRight),
            cell(QStringLiteral("rvstrCustMainPhone"), 4.8, 0.4, 3.1, value("rvstrCustMainPhone")),
            cell(QStringLiteral("rvstrCustExtraPhone1Nm"), 3.5, 0.6, 1.2, value("rvstrCustExtraPhone1Nm"), Qt::AlignRight),
            cell(QStringLiteral("rvstrCustExtraPhone1"), 4.8, 0.6, 3.1, value("rvstrCustExtraPhone1")),
            cell(QStringLiteral("rvstrCustExtraPhone2Nm"), 3.5, 0.8, 1.2, value("rvstrCustExtraPhone2Nm"), Qt::AlignRight),
            cell(QStringLiteral("rvstrCustExtraPhone2"), 4.8, 0.8, 3.1, value("rvstrCustExtraPhone2")),
            cell(QStringLiteral("rvlblPaymentTerms"), 3.5, 1.0, 1.2, QStringLiteral("Payment Terms:"), Qt::AlignRight),
            cell(QStringLiteral("rvstrCustPmtTerms"), 4.8, 1.0, 3.1, value("rvstrCustPmtTerms")),
            cell(QStringLiteral("rvstrCustTaxExmpNmbr"), 3.6, 1.2, 4.3, value("rvstrCustTaxExmpNmbr")),
            cell(QStringLiteral("rvlblNotes"), 0.1, 1.4, 0.9, QStringLiteral("Notes:"), Qt::AlignRight),
            Items::memo(QStringLiteral("rvstrCustNotes"), QRectF(1.1, 1.4, 6.7, notesHeight), kFont, notes)};
        bands.append(Band{1.4 + notesHeight, items});
    }
    const QString title = printout.parameters.value(QStringLiteral("rvstrCustomerListTitle"));
    return layoutBands(QRectF(0.3, 0.7, kRowWidth, 9.7), bands, [&title](ReportPage &page, int number, int count) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.3, 0.3, kRowWidth, kFont, Qt::AlignHCenter, title));
        page.add(pageNumber(0.5, number, count));
    });
}

QList<ReportPage> ReportPlanner(const ListPrintout &printout)
{
    const RowFeed &feed = printout.rows;
    const ReportParameters &parameters = printout.parameters;
    const double lineHeight = ReportFonts::lineHeight(kFont);
    static const QList<std::tuple<QString, double, double>> fields = {
        {QStringLiteral("rvstrActStartDay"), 0.0, 1.8},    {QStringLiteral("rvstrActEndDay"), 1.9, 1.8},
        {QStringLiteral("rvstrActivityDay"), 3.8, 4.1},    {QStringLiteral("rvstrActDateWkMnth"), 0.0, 1.2},
        {QStringLiteral("rvstrActStartWkMnth"), 1.3, 1.5}, {QStringLiteral("rvstrActEndWkMnth"), 2.9, 1.5},
        {QStringLiteral("rvstrActivityWkMnth"), 4.5, 3.4}};
    QList<Band> bands;
    for (int row = 0; row < feed.rowCount(); ++row) {
        const QString notes = feed.value(row, QStringLiteral("rvstrActivityNotes"));
        const double notesHeight
            = std::max(0.2, double(ReportFonts::wrapLines(kFont, notes, 6.2).size()) * lineHeight);
        Band band{0.4 + notesHeight, {dottedSeparator()}};
        for (const auto &[name, left, width] : fields)
            band.items.append(cell(name, left, 0.2, width, feed.value(row, name)));
        band.items.append(cell(QStringLiteral("rvlblActivityNotes"), 0.1, 0.4, 1.5, QStringLiteral("Activity Notes:"),
                               Qt::AlignRight));
        band.items.append(Items::memo(QStringLiteral("rvstrActivityNotes"), QRectF(1.7, 0.4, 6.2, notesHeight), kFont, notes));
        bands.append(band);
    }
    static const QList<std::tuple<QString, double, double>> headings = {
        {QStringLiteral("rvstrActStartDayHdng"), 0.3, 1.8},    {QStringLiteral("rvstrActEndDayHdng"), 2.2, 1.8},
        {QStringLiteral("rvstrActivityDayHdng"), 4.1, 4.1},    {QStringLiteral("rvstrActDateWkMnthHdng"), 0.3, 1.2},
        {QStringLiteral("rvstrActStartWkMnthHdng"), 1.6, 1.5}, {QStringLiteral("rvstrActEndWkMnthHdng"), 3.2, 1.5},
        {QStringLiteral("rvstrActivityWkMnthHdng"), 4.8, 3.4}};
    return layoutBands(QRectF(0.3, 1.3, kRowWidth, 9.1), bands, [&parameters](ReportPage &page, int number, int count) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.3, 0.3, kRowWidth, kFont, Qt::AlignHCenter,
                             parameters.value(QStringLiteral("rvstrPlannerTitle"))));
        page.add(Items::text(QStringLiteral("rvtxtDates"), 0.3, 0.5, kRowWidth, kFont, Qt::AlignHCenter,
                             parameters.value(QStringLiteral("rvstrPlannerDates"))));
        page.add(pageNumber(0.7, number, count));
        page.add(Items::horizontalLine(QStringLiteral("rvlnTitle"), 0.3, 1.0, kRowWidth));
        for (const auto &[name, left, width] : headings)
            page.add(cell(name, left, 1.1, width, parameters.value(name)));
    });
}

ReportPages ReportInvMaintenance(const ListPrintout &printout)
{
    static const QList<std::pair<double, double>> fields = {{0.0, 1.0}, {1.0, 1.2}, {2.2, 1.8},
                                                            {4.0, 1.7}, {5.7, 1.2}, {6.9, 1.0}};
    // The printout owns its feed: the pages are laid out after this call returns.
    const RowFeed feed = printout.rows;
    const auto bandsOf = [feed](int first, int count) {
        QList<Band> bands;
        for (const QStringList &row : feed.rowsAt(first, count)) {
            Band band{0.4, {dottedSeparator()}};
            for (qsizetype i = 0; i < fields.size(); ++i) {
                // A long name is cut short, leaving a gap before the next column.
                const double width = fields.at(i).second;
                band.items.append(cell(feed.columns.value(i), fields.at(i).first, 0.2, width,
                                       ReportFonts::elided(kFont, row.value(i), width - 0.1)));
            }
            bands.append(band);
        }
        return bands;
    };
    const QString title = printout.parameters.value(QStringLiteral("rvstrInvMaintTitle"));
    return layoutEvenBands(QRectF(0.3, 1.0, kRowWidth, 9.4), 0.4, feed.rowCount(), bandsOf,
                           [title](ReportPage &page, int number, int count) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.4, 0.3, 7.7, kFont, Qt::AlignHCenter, title));
        page.add(pageNumber(0.5, number, count));
        static const QList<std::tuple<QString, double, double>> headings = {
            {QStringLiteral("Number"), 0.3, 1.0},   {QStringLiteral("Type"), 1.3, 1.2},
            {QStringLiteral("Customer"), 2.5, 1.8}, {QStringLiteral("Company"), 4.3, 1.7},
            {QStringLiteral("Total"), 6.0, 1.2},    {QStringLiteral("Info"), 7.2, 1.0}};
        for (const auto &[text, left, width] : headings)
            page.add(cell(QStringLiteral("rvlblHeading"), left, 0.8, width, text));
    });
}

QList<ReportPage> ReportTaxSalesReport(const ListPrintout &printout)
{
    const RowFeed &feed = printout.rows;
    const ReportParameters &parameters = printout.parameters;
    QList<Band> bands;
    for (int row = 0; row < feed.rowCount(); ++row) {
        Band band{0.2, {}};
        for (int column = 0; column < feed.columns.size(); ++column)
            band.items.append(cell(feed.columns.at(column), 1.1 * column, 0, 1.1, feed.rows.at(row).value(column)));
        bands.append(band);
    }
    static const QStringList headings = {QStringLiteral("rvstrDateHdng"), QStringLiteral("rvstrTypeHdng"),
                                         QStringLiteral("rvstrTax1Hdng"), QStringLiteral("rvstrTax2Hdng"),
                                         QStringLiteral("rvstrTax3Hdng"), QStringLiteral("rvstrTaxTotalHdng"),
                                         QStringLiteral("rvstrSalesTotalHdng")};
    // The rows start just under the rule beneath the headings.
    return layoutBands(QRectF(0.3, 1.35, kRowWidth, 9.05), bands, [&parameters](ReportPage &page, int number, int count) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.3, 0.3, kRowWidth, kFont, Qt::AlignHCenter,
                             parameters.value(QStringLiteral("rvstrTaxSalesTitle"))));
        page.add(Items::text(QStringLiteral("rvtxtDates"), 0.3, 0.6, kRowWidth, kFont, Qt::AlignHCenter,
                             parameters.value(QStringLiteral("rvstrTaxSalesDates"))));
        page.add(pageNumber(0.8, number, count));
        for (int i = 0; i < headings.size(); ++i)
            page.add(cell(headings.at(i), 0.3 + 1.1 * i, 1.1, 1.1, parameters.value(headings.at(i))));
        page.add(Items::horizontalLine(QStringLiteral("rvlnHeadings"), 0.3, 1.3, kRowWidth));
    });
}

ReportPages ReportTable(const ListPrintout &printout)
{
    const ReportFont titleFont{kFont.family, 14, true};
    const ReportFont boldFont{kFont.family, kFont.pointSize, true};
    const double lineHeight = ReportFonts::lineHeight(kFont);
    constexpr double kLeft = 0.3;
    // The printout owns its feed: the pages are laid out after this call returns.
    const RowFeed feed = printout.rows;
    const QString title = printout.parameters.value(TableParameters::title);
    const QStringList subTitle = printout.parameters.value(TableParameters::subTitle)
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QList<TableColumn> columns = tableColumns(printout.parameters, feed.columns.size());

    const double subTitleTop = 0.3 + ReportFonts::lineHeight(titleFont) + 0.05;
    const double headingTop = subTitleTop + double(subTitle.size()) * lineHeight + 0.2;
    const double ruleTop = headingTop + ReportFonts::lineHeight(boldFont) + 0.03;
    constexpr double rowHeight = 0.2;
    const double firstRowTop = ruleTop + 0.04;

    const auto bandsOf = [feed, columns, boldFont](int first, int count) {
        QList<Band> bands;
        for (QStringList row : feed.rowsAt(first, count)) {
            const bool total = !row.isEmpty() && row.first().startsWith(TablePrintout::kTotalMark);
            if (total)
                row.first().remove(0, 1);
            Band band{rowHeight, {}};
            if (total)
                band.items.append(Items::horizontalLine(QStringLiteral("rvlnTotal"), 0, 0.005, kRowWidth));
            for (qsizetype i = 0; i < columns.size(); ++i)
                band.items.append(tableCell(QStringLiteral("rvstrColumn%1").arg(i + 1), columns.at(i), 0.02,
                                            total ? boldFont : kFont, row.value(i)));
            bands.append(band);
        }
        return bands;
    };
    const auto furniture = [=, headings = feed.columns](ReportPage &page, int number, int count) {
        page.add(Items::cell(QStringLiteral("rvtxtTitle"), kLeft, 0.3, kRowWidth, titleFont, Qt::AlignHCenter,
                             ReportFonts::elided(titleFont, title, kRowWidth)));
        for (qsizetype i = 0; i < subTitle.size(); ++i)
            page.add(Items::cell(QStringLiteral("rvtxtSubTitle"), kLeft, subTitleTop + double(i) * lineHeight,
                                 kRowWidth, kFont, Qt::AlignHCenter,
                                 ReportFonts::elided(kFont, subTitle.at(i), kRowWidth)));
        for (qsizetype i = 0; i < columns.size(); ++i) {
            TextItem heading = tableCell(QStringLiteral("rvlblColumn%1").arg(i + 1), columns.at(i), headingTop,
                                         boldFont, headings.at(i));
            heading.rect.translate(kLeft, 0);
            page.add(heading);
        }
        page.add(Items::horizontalLine(QStringLiteral("rvlnHeadings"), kLeft, ruleTop, kRowWidth));
        page.add(pageNumber(10.5, number, count));
    };
    return layoutEvenBands(QRectF(kLeft, firstRowTop, kRowWidth, 10.35 - firstRowTop), rowHeight, feed.rowCount(),
                           bandsOf, furniture);
}

} // namespace ListReports
