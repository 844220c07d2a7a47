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

Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping, const QLocale &locale)
{
    QHash<int, WorkSheetPriceItem> stored;
    for (const WorkSheetPriceItem &item : WorkSheetPriceStore::readCompanyPrices(db))
        stored.insert(item.intPrcItemNumID, item);

    const Csv::Conversion conversion = Csv::convert(table, fields(), mapping, locale);
    Preview preview;
    preview.problems = conversion.problems;
    const QString numberCaption = fields()[ItemNumber].caption;
    for (const Csv::ValueRow &row : conversion.rows) {
        if (row.isEmpty(ItemNumber)) {
            preview.problems.append({row.rowNumber, numberCaption, QStringLiteral("no item number")});
            continue;
        }
        const int number = int(row.values[ItemNumber].toLongLong());
        const auto found = stored.constFind(number);
        if (found == stored.cend()) {
            preview.problems.append({row.rowNumber, numberCaption,
                                     QStringLiteral("the price list has no item %1").arg(number)});
            continue;
        }
        WorkSheetPriceItem item = *found;
        if (mapping.value(LaborPrice, -1) >= 0)
            item.dbLbrPrc = row.values[LaborPrice].toDouble();
        if (mapping.value(MaterialPrice, -1) >= 0)
            item.dbMatPrc = row.values[MaterialPrice].toDouble();
        preview.rows.append(item);
        preview.rowNumbers.append(row.rowNumber);
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

QByteArray exportCsv(Database &db)
{
    Csv::Writer writer(Csv::captions(fields()));
    for (const WorkSheetPriceItem &item : WorkSheetPriceStore::readCompanyPrices(db)) {
        writer.addRow({Csv::Cell::number(qint64(item.intPrcItemNumID)), item.strPrcItemName,
                       Csv::Cell::number(item.dbLbrPrc), Csv::Cell::number(item.dbMatPrc)});
    }
    return writer.bytes();
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

void ImportJob::prepare(const Csv::Table &table, const Csv::Mapping &mapping)
{
    Database db(m_databasePath);
    m_preview = WorkSheetPriceTransfer::prepare(db, table, mapping, m_locale);
}

std::optional<Csv::ImportOutcome> ImportJob::apply(Csv::ExistingRows, const Progress &progress)
{
    Database db(m_databasePath);
    return WorkSheetPriceTransfer::apply(db, m_preview, progress);
}

} // namespace WorkSheetPriceTransfer
