#include "WorkSheetPriceTransfer.h"

#include "csv/CsvWriter.h"
#include "data/BatchWrite.h"
#include "data/Database.h"

#include <QHash>

namespace WorkSheetPriceTransfer {

using Csv::FieldSpec;
using Csv::ValueKind;

const QList<FieldSpec> &fields()
{
    static const QList<FieldSpec> all = {
        {QStringLiteral("Item Number"), {"Number", "Item", "PriceItmID", "No"}, ValueKind::WholeNumber, 0, 1, 27},
        {QStringLiteral("Price Item Description"), {"Description", "Name"}, ValueKind::Text},
        {QStringLiteral("Labor Price"), {"Labor", "Labour Price", "Labour"}, ValueKind::Decimal},
        {QStringLiteral("Material Price"), {"Material", "Materials"}, ValueKind::Decimal},
    };
    return all;
}

Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals)
{
    QHash<int, WorkSheetPriceItem> stored;
    QHash<QString, int> numberByName;
    const auto nameKey = [](const QString &name) { return name.simplified().toCaseFolded(); };
    for (const WorkSheetPriceItem &item : WorkSheetPriceStore::readCompanyPrices(db)) {
        stored.insert(item.intPrcItemNumID, item);
        numberByName.insert(nameKey(item.strPrcItemName), item.intPrcItemNumID);
    }

    const Csv::Conversion conversion = Csv::convert(table, fields(), mapping, decimals);
    Preview preview;
    preview.problems = conversion.problems;
    const QString numberCaption = fields()[ItemNumber].caption;
    const QString nameCaption = fields()[Description].caption;
    QList<std::pair<int, WorkSheetPriceItem>> found; // row number, item
    QHash<int, QList<int>> rowsOfItem;
    for (const Csv::ValueRow &row : conversion.rows) {
        const QString name = row.text(Description).trimmed();
        int number = 0;
        if (!row.isEmpty(ItemNumber)) {
            number = int(row.values[ItemNumber].toLongLong());
        } else if (!name.isEmpty()) {
            number = numberByName.value(nameKey(name));
            if (number == 0) {
                preview.problems.append(
                    {row.rowNumber, nameCaption, QStringLiteral("the price list has no item \"%1\"").arg(name)});
                continue;
            }
        } else {
            preview.problems.append({row.rowNumber, numberCaption, QStringLiteral("no item number")});
            continue;
        }
        const auto item = stored.constFind(number);
        if (item == stored.cend()) {
            preview.problems.append({row.rowNumber, numberCaption,
                                     QStringLiteral("the price list has no item %1").arg(number)});
            continue;
        }
        // The list is fixed: a description that names another item means the row is
        // not what it seems.
        if (!name.isEmpty() && nameKey(name) != nameKey(item->strPrcItemName)) {
            preview.problems.append({row.rowNumber, nameCaption,
                                     QStringLiteral("item %1 is \"%2\" in the price list, not \"%3\"")
                                         .arg(number)
                                         .arg(item->strPrcItemName, name)});
            continue;
        }
        WorkSheetPriceItem priced = *item;
        if (mapping.value(LaborPrice, -1) >= 0)
            priced.dbLbrPrc = row.values[LaborPrice].toDouble();
        if (mapping.value(MaterialPrice, -1) >= 0)
            priced.dbMatPrc = row.values[MaterialPrice].toDouble();
        found.append({row.rowNumber, priced});
        rowsOfItem[number].append(row.rowNumber);
    }
    // An item given twice has no one price to take: none of its rows is.
    for (const auto &[rowNumber, item] : found) {
        const QList<int> &rows = rowsOfItem[item.intPrcItemNumID];
        if (rows.size() > 1) {
            QStringList others;
            for (const int other : rows) {
                if (other != rowNumber)
                    others << QString::number(other);
            }
            preview.problems.append({rowNumber, numberCaption,
                                     QStringLiteral("item %1 is also in row %2")
                                         .arg(item.intPrcItemNumID)
                                         .arg(others.join(QStringLiteral(", ")))});
            continue;
        }
        preview.rows.append(item);
        preview.rowNumbers.append(rowNumber);
    }
    Csv::sortByRow(preview.problems);
    return preview;
}

std::optional<Csv::ImportOutcome> apply(Database &db, const Preview &preview,
                                        const Csv::ImportJob::Progress &progress)
{
    const bool written = BatchWrite::run(
        db, int(preview.rows.size()),
        [&](int i) {
            const WorkSheetPriceItem &item = preview.rows[i];
            WorkSheetPriceStore::updateCompanyPrice(db, item.intPrcItemNumID, item.dbLbrPrc, item.dbMatPrc);
        },
        progress);
    if (!written)
        return std::nullopt;
    Csv::ImportOutcome outcome;
    outcome.updated = int(preview.rows.size());
    return outcome;
}

Csv::Writer exportCsv(Database &db)
{
    Csv::Writer writer(Csv::captions(fields()));
    for (const WorkSheetPriceItem &item : WorkSheetPriceStore::readCompanyPrices(db)) {
        writer.addRow({Csv::Cell::number(qint64(item.intPrcItemNumID)), item.strPrcItemName,
                       Csv::Cell::number(item.dbLbrPrc), Csv::Cell::number(item.dbMatPrc)});
    }
    return writer;
}

ImportJob::ImportJob(const QString &databasePath, const QLocale &locale)
    : m_databasePath(databasePath)
    , m_locale(locale)
{
}

QString ImportJob::title() const
{
    return QStringLiteral("Import Prices");
}

const QList<Csv::FieldSpec> &ImportJob::fields() const
{
    return WorkSheetPriceTransfer::fields();
}

void ImportJob::prepare(const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals)
{
    Database db(m_databasePath);
    m_preview = WorkSheetPriceTransfer::prepare(db, table, mapping, decimals);
}

std::optional<Csv::ImportOutcome> ImportJob::apply(Csv::ExistingRows, const Progress &progress)
{
    Database db(m_databasePath);
    return WorkSheetPriceTransfer::apply(db, m_preview, progress);
}

} // namespace WorkSheetPriceTransfer
