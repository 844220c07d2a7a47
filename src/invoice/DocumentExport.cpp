#include "DocumentExport.h"

#include "csv/CsvWriter.h"
#include "data/BoolText.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/StoredForm.h"

#include <QHash>
#include <QSet>
#include <QRegularExpression>

namespace DocumentExport {

namespace {

struct Rows
{
    QStringList columns;
    QList<QList<Csv::Cell>> rows;
};

bool isDateColumn(const QString &column)
{
    return column.contains(QLatin1String("Date"));
}

/// A stored value as a cell: numbers as numbers (also numbers stored as text, such
/// as boolean texts and amount texts), dates in ISO form, the rest as text.
Csv::Cell cellAt(const Statement &query, int column, const QString &name, const QLocale &storedLocale)
{
    static const QRegularExpression plainNumber(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    if (query.isNumberAt(column)) {
        Csv::Cell cell(query.textAt(column));
        cell.isNumber = true;
        return cell;
    }
    const QString text = query.textAt(column);
    if (isDateColumn(name)) {
        std::optional<QDate> date = StoredForm::readDate(text);
        if (!date)
            date = StoredForm::Legacy::readDate(text, storedLocale);
        if (date)
            return Csv::Cell(StoredForm::dateText(*date));
    }
    Csv::Cell cell(text);
    cell.isNumber = plainNumber.match(text).hasMatch();
    return cell;
}

Rows readRows(Database &db, const QString &sql, const QLocale &storedLocale)
{
    Statement query = db.prepare(sql);
    Rows result;
    for (int c = 0; c < query.columnCount(); ++c)
        result.columns << query.columnName(c);
    while (query.step()) {
        QList<Csv::Cell> row;
        for (int c = 0; c < result.columns.size(); ++c)
            row << cellAt(query, c, result.columns[c], storedLocale);
        result.rows << row;
    }
    return result;
}

/// The headers of the documents in the range, and the column of their numbers.
Rows documentsInRange(Database &db, QDate from, QDate to, const QLocale &storedLocale)
{
    // Stored dates may be in an older locale form, so the range is applied in memory.
    Rows all = readRows(db, QStringLiteral("SELECT * FROM tblInvHeader ORDER BY intInvNumber"), storedLocale);
    const qsizetype dateColumn = all.columns.indexOf(QStringLiteral("strInvDate"));
    Rows inRange{all.columns, {}};
    for (const QList<Csv::Cell> &row : all.rows) {
        const QDate date = QDate::fromString(row[dateColumn].text, Qt::ISODate);
        if (date.isValid() && date >= from && date <= to)
            inRange.rows << row;
    }
    return inRange;
}

Rows linesOf(Database &db, const Rows &documents, const QLocale &storedLocale)
{
    const qsizetype numberColumn = documents.columns.indexOf(QStringLiteral("intInvNumber"));
    QSet<QString> numbers;
    for (const QList<Csv::Cell> &row : documents.rows)
        numbers.insert(row[numberColumn].text);
    Rows lines = readRows(db, QStringLiteral("SELECT * FROM tblInvData ORDER BY intInvNumber, intInvDataID"),
                          storedLocale);
    const qsizetype lineNumber = lines.columns.indexOf(QStringLiteral("intInvNumber"));
    lines.rows.removeIf([&](const QList<Csv::Cell> &line) { return !numbers.contains(line[lineNumber].text); });
    return lines;
}

/// Row ids and bookkeeping marks mean nothing outside the program.
bool isInternal(const QString &column)
{
    static const QStringList internal = {QStringLiteral("intInvDataHeaderID"), QStringLiteral("intInvDataID"),
                                         QStringLiteral("strPostedInCents")};
    return internal.contains(column);
}

/// Yes/no columns: boolean texts, and the work sheet's 0/1 choices.
bool isFlag(const QString &column)
{
    static const QStringList flags = {
        QStringLiteral("strRecurring"), QStringLiteral("strPaidInFull"), QStringLiteral("strCustTaxExempt"),
        QStringLiteral("strUseTax1"), QStringLiteral("strUseTax2"), QStringLiteral("strUseTax3"),
        QStringLiteral("strLabTax"), QStringLiteral("strMatTax"), QStringLiteral("intWash"), QStringLiteral("intSand"),
        QStringLiteral("intCaulk"), QStringLiteral("intMask"), QStringLiteral("intHngWallpaper"),
        QStringLiteral("intRmvWallpaper"), QStringLiteral("intHngBoarder"), QStringLiteral("intRmvBorder")};
    return flags.contains(column);
}

/// A column added later without a caption here: its name without the type
/// prefix, split into words ("strDueDate" -> "Due Date").
QString wordsOf(const QString &column)
{
    static const QRegularExpression prefix(QStringLiteral("^(str|int|db|bln)(?=[A-Z])"));
    QString name = QString(column).remove(prefix);
    static const QRegularExpression wordStart(QStringLiteral("(?<=[a-z0-9])(?=[A-Z])"));
    return name.replace(wordStart, QStringLiteral(" "));
}

QString caption(const QString &column)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("strInvName"), QStringLiteral("Document")},
        {QStringLiteral("intInvNumber"), QStringLiteral("Number")},
        {QStringLiteral("strInvDate"), QStringLiteral("Date")},
        {QStringLiteral("strFromInvNameNumber"), QStringLiteral("Made From")},
        {QStringLiteral("strRecurring"), QStringLiteral("Recurring")},
        {QStringLiteral("strPaidInFull"), QStringLiteral("Paid In Full")},
        {QStringLiteral("intInvFootNotes"), QStringLiteral("Foot Note")},
        {QStringLiteral("strCustCmpnyName"), QStringLiteral("Company Name")},
        {QStringLiteral("strCustFullName"), QStringLiteral("Customer Name")},
        {QStringLiteral("strCustAddress"), QStringLiteral("Address")},
        {QStringLiteral("strCustCtyStZp"), QStringLiteral("City, State, Zip")},
        {QStringLiteral("strCustMainPhone"), QStringLiteral("Main Phone Number")},
        {QStringLiteral("strCustExtraPhone1"), QStringLiteral("Extra Phone 1")},
        {QStringLiteral("strCustExtraPhone2"), QStringLiteral("Extra Phone 2")},
        {QStringLiteral("strCustTaxExemptNum"), QStringLiteral("Tax Exempt Number")},
        {QStringLiteral("strCustPONumber"), QStringLiteral("P.O. Number")},
        {QStringLiteral("strCustPymntTerms"), QStringLiteral("Payment Terms")},
        {QStringLiteral("strCustNotes"), QStringLiteral("Customer Notes")},
        {QStringLiteral("intCustDiscountPercent"), QStringLiteral("Discount Percent")},
        {QStringLiteral("strCustTaxExempt"), QStringLiteral("Tax Exempt")},
        {QStringLiteral("strUseTax1"), QStringLiteral("Tax 1 Applies")},
        {QStringLiteral("strUseTax2"), QStringLiteral("Tax 2 Applies")},
        {QStringLiteral("strUseTax3"), QStringLiteral("Tax 3 Applies")},
        {QStringLiteral("dbTaxRate1"), QStringLiteral("Tax Rate 1")},
        {QStringLiteral("dbTaxRate2"), QStringLiteral("Tax Rate 2")},
        {QStringLiteral("dbTaxRate3"), QStringLiteral("Tax Rate 3")},
        {QStringLiteral("strInvNotes"), QStringLiteral("Notes")},
        {QStringLiteral("dbPaidAmount"), QStringLiteral("Paid Amount")},
        {QStringLiteral("dbDepositAmount"), QStringLiteral("Deposit Amount")},
        {QStringLiteral("strInvTotal"), QStringLiteral("Balance")},
        {QStringLiteral("strDueDate"), QStringLiteral("Due Date")},
        {QStringLiteral("intCustomerID"), QStringLiteral("Customer Number")},
        {QStringLiteral("intJobID"), QStringLiteral("Job Number")},
        {QStringLiteral("strPrcItemName"), QStringLiteral("Description")},
        {QStringLiteral("strPrcItmQuantity"), QStringLiteral("Quantity")},
        {QStringLiteral("strLabTax"), QStringLiteral("Labor Taxable")},
        {QStringLiteral("strMatTax"), QStringLiteral("Material Taxable")},
        {QStringLiteral("dbLbrPrc"), QStringLiteral("Labor Price")},
        {QStringLiteral("dbMatPrc"), QStringLiteral("Material Price")},
        {QStringLiteral("strWorkSheetName"), QStringLiteral("Work Sheet")},
        {QStringLiteral("intIntExt"), QStringLiteral("Interior or Exterior")},
        {QStringLiteral("intAreaWorkOn"), QStringLiteral("Area Worked On")},
        {QStringLiteral("intPaintsCoats"), QStringLiteral("Paint Coats")},
        {QStringLiteral("intTrimCoats"), QStringLiteral("Trim Coats")},
        {QStringLiteral("intAreaLength"), QStringLiteral("Length")},
        {QStringLiteral("intAreaWidth"), QStringLiteral("Width")},
        {QStringLiteral("intAreaHeight"), QStringLiteral("Height")},
        {QStringLiteral("intAreaMultiplier"), QStringLiteral("Number of Areas")},
        {QStringLiteral("intPrime"), QStringLiteral("Prime")},
        {QStringLiteral("intWash"), QStringLiteral("Wash")},
        {QStringLiteral("intSand"), QStringLiteral("Sand")},
        {QStringLiteral("intCaulk"), QStringLiteral("Caulk")},
        {QStringLiteral("intMask"), QStringLiteral("Mask")},
        {QStringLiteral("intNumOfDoors"), QStringLiteral("Doors")},
        {QStringLiteral("intNumOfDoorFrmTrm"), QStringLiteral("Door Frames and Trims")},
        {QStringLiteral("intNumOfWindowFrmTrm"), QStringLiteral("Window Frames and Trims")},
        {QStringLiteral("intNumOfClosets"), QStringLiteral("Closets")},
        {QStringLiteral("intHngWallpaper"), QStringLiteral("Hang Wallpaper")},
        {QStringLiteral("intRmvWallpaper"), QStringLiteral("Remove Wallpaper")},
        {QStringLiteral("intHngBoarder"), QStringLiteral("Hang Border")},
        {QStringLiteral("intRmvBorder"), QStringLiteral("Remove Border")},
        {QStringLiteral("strExtraChargesName"), QStringLiteral("Extra Charge")},
        {QStringLiteral("strExtraChargesLabor"), QStringLiteral("Extra Labor")},
        {QStringLiteral("strExtraChargesMaterial"), QStringLiteral("Extra Material")},
    };
    return captions.value(column, wordsOf(column));
}

Csv::Cell shownCell(const Csv::Cell &cell, bool flag)
{
    if (!flag || cell.text.isEmpty())
        return cell;
    return Csv::Cell(BoolText::parse(cell.text).value_or(false) ? QStringLiteral("Yes") : QStringLiteral("No"));
}

/// The rows under the captions users see, flags as Yes and No.
Csv::Writer write(const Rows &rows)
{
    QList<qsizetype> shown;
    QStringList headers;
    QList<bool> flags;
    for (qsizetype c = 0; c < rows.columns.size(); ++c) {
        if (isInternal(rows.columns[c]))
            continue;
        shown << c;
        headers << caption(rows.columns[c]);
        flags << isFlag(rows.columns[c]);
    }
    Csv::Writer writer(headers);
    for (const QList<Csv::Cell> &row : rows.rows) {
        QList<Csv::Cell> cells;
        cells.reserve(shown.size());
        for (qsizetype i = 0; i < shown.size(); ++i)
            cells << shownCell(row[shown[i]], flags[i]);
        writer.addRow(cells);
    }
    return writer;
}

} // namespace

Csv::Writer oneFile(Database &db, QDate from, QDate to, const QLocale &storedLocale)
{
    const Rows documents = documentsInRange(db, from, to, storedLocale);
    const Rows lines = linesOf(db, documents, storedLocale);
    const qsizetype headerNumber = documents.columns.indexOf(QStringLiteral("intInvNumber"));
    const qsizetype lineNumber = lines.columns.indexOf(QStringLiteral("intInvNumber"));

    QMultiHash<QString, qsizetype> linesByDocument;
    for (qsizetype i = 0; i < lines.rows.size(); ++i)
        linesByDocument.insert(lines.rows[i][lineNumber].text, i);

    // The line's own copy of the document number would only repeat the header's.
    QStringList lineColumns = lines.columns;
    lineColumns.removeAt(lineNumber);
    Rows joined{documents.columns + lineColumns, {}};
    for (const QList<Csv::Cell> &document : documents.rows) {
        QList<qsizetype> indexes = linesByDocument.values(document[headerNumber].text);
        std::sort(indexes.begin(), indexes.end());
        if (indexes.isEmpty())
            joined.rows << document + QList<Csv::Cell>(lineColumns.size(), Csv::Cell(QString()));
        for (const qsizetype i : indexes) {
            QList<Csv::Cell> line = lines.rows[i];
            line.removeAt(lineNumber);
            joined.rows << document + line;
        }
    }
    return write(joined);
}

Files twoFiles(Database &db, QDate from, QDate to, const QLocale &storedLocale)
{
    const Rows documents = documentsInRange(db, from, to, storedLocale);
    return {write(documents), write(linesOf(db, documents, storedLocale))};
}

} // namespace DocumentExport
