#include "PriceTransfer.h"

#include "csv/CsvWriter.h"
#include "data/Database.h"

#include <QHash>

namespace PriceTransfer {

namespace {

using Csv::FieldSpec;
using Csv::ValueKind;

QString matchKey(const QString &description)
{
    return description.trimmed().toCaseFolded();
}

/// Puts the file's values into \a item; fields the file does not fill keep theirs.
void fill(PriceItem &item, const Csv::ValueRow &row, const Csv::Mapping &mapping)
{
    const auto mapped = [&](int field) { return mapping.value(field, -1) >= 0; };
    if (mapped(Description))
        item.strPrcItemName = row.text(Description);
    if (mapped(LaborPrice))
        item.dbLbrPrc = row.values[LaborPrice].toDouble();
    if (mapped(MaterialPrice))
        item.dbMatPrc = row.values[MaterialPrice].toDouble();
    if (mapped(LaborTaxable))
        item.strLabTax = row.values[LaborTaxable].toBool();
    if (mapped(MaterialTaxable))
        item.strMatTax = row.values[MaterialTaxable].toBool();
}

} // namespace

const QList<FieldSpec> &fields()
{
    static const QList<FieldSpec> all = {
        {QStringLiteral("Price Item Description"), {"Description", "Price Item", "Item", "Name"}, ValueKind::Text, 45},
        {QStringLiteral("Labor Price"), {"Labor", "Labour Price", "Labour"}, ValueKind::Decimal},
        {QStringLiteral("Material Price"), {"Material", "Materials"}, ValueKind::Decimal},
        {QStringLiteral("Labor Taxable"), {"Labor Tax", "LabTax"}, ValueKind::YesNo},
        {QStringLiteral("Material Taxable"), {"Material Tax", "MatTax"}, ValueKind::YesNo},
    };
    return all;
}

Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping,
                const Csv::DecimalReading &decimals, std::pair<bool, bool> defaultTaxable)
{
    QHash<QString, PriceItem> stored;
    for (const PriceItem &item : PriceStore::readAll(db))
        stored.insert(matchKey(item.strPrcItemName), item);

    Preview preview;
    for (qsizetype r = 0; r < table.rowCount(); ++r) {
        const std::optional<Csv::ValueRow> converted =
            Csv::convertRow(table, r, fields(), mapping, decimals, preview.problems);
        if (!converted)
            continue;
        const Csv::ValueRow &row = *converted;
        if (row.text(Description).trimmed().isEmpty()) {
            preview.problems.append({row.rowNumber, fields()[Description].caption, QStringLiteral("empty description")});
            continue;
        }
        Candidate candidate;
        candidate.rowNumber = row.rowNumber;
        if (const auto found = stored.constFind(matchKey(row.text(Description))); found != stored.cend()) {
            candidate.item = *found;
            candidate.matchesStored = true;
        } else {
            std::tie(candidate.item.strLabTax, candidate.item.strMatTax) = defaultTaxable;
        }
        fill(candidate.item, row, mapping);
        preview.rows.append(candidate);
    }
    Csv::sortByRow(preview.problems);
    return preview;
}

std::optional<Csv::ImportOutcome> apply(Database &db, const Preview &preview, Csv::ExistingRows existing,
                                        const Csv::ImportJob::Progress &progress)
{
    return Csv::writeRows(
        db, preview.rows, existing, [](const Candidate &row) { return row.matchesStored; },
        [&db](const Candidate &row) { PriceStore::insertRow(db, row.item); },
        [&db](const Candidate &row) { PriceStore::updateRow(db, row.item); }, progress);
}

Csv::Writer exportCsv(Database &db)
{
    Csv::Writer writer(Csv::captions(fields()));
    const auto yesNo = [](bool value) { return value ? QStringLiteral("Yes") : QStringLiteral("No"); };
    for (const PriceItem &item : PriceStore::readAll(db)) {
        writer.addRow({item.strPrcItemName, Csv::Cell::number(item.dbLbrPrc), Csv::Cell::number(item.dbMatPrc),
                       yesNo(item.strLabTax), yesNo(item.strMatTax)});
    }
    return writer;
}

ImportJob::ImportJob(const QString &databasePath, const QLocale &locale, std::pair<bool, bool> defaultTaxable)
    : m_databasePath(databasePath)
    , m_locale(locale)
    , m_defaultTaxable(defaultTaxable)
{
}

QString ImportJob::title() const
{
    return QStringLiteral("Import Price Items");
}

const QList<Csv::FieldSpec> &ImportJob::fields() const
{
    return PriceTransfer::fields();
}

void ImportJob::prepare(const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals)
{
    Database db(m_databasePath);
    m_preview = PriceTransfer::prepare(db, table, mapping, decimals, m_defaultTaxable);
}

int ImportJob::matchCount() const
{
    return int(std::count_if(m_preview.rows.begin(), m_preview.rows.end(),
                             [](const Candidate &c) { return c.matchesStored; }));
}

std::optional<Csv::ImportOutcome> ImportJob::apply(Csv::ExistingRows existing, const Progress &progress)
{
    Database db(m_databasePath);
    return PriceTransfer::apply(db, m_preview, existing, progress);
}

} // namespace PriceTransfer
