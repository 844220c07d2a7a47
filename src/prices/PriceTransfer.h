#pragma once

#include "PriceStore.h"
#include "csv/CsvWriter.h"
#include "csv/ImportJob.h"

#include <QByteArray>
#include <QLocale>
#include <optional>

class Database;

/// The price list (the layout with taxable flags) to and from CSV files.
namespace PriceTransfer {

/// The fields of a price item in file order; their captions are the export's header.
enum Field { Description, LaborPrice, MaterialPrice, LaborTaxable, MaterialTaxable, FieldCount };

[[nodiscard]] const QList<Csv::FieldSpec> &fields();

/// A row that can be imported, and the stored item of the same description
/// (letter case and outer blanks aside), if any.
struct Candidate
{
    int rowNumber = 0;
    PriceItem item;
    bool matchesStored = false;
};

struct Preview
{
    QList<Candidate> rows;
    QList<Csv::RowProblem> problems;
};

/// Reads \a table through \a mapping. A new item whose file leaves the taxable
/// flags out gets the company's defaults, \a defaultTaxable; a row without a
/// description is a problem.
[[nodiscard]] Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping,
                              const Csv::DecimalReading &decimals, std::pair<bool, bool> defaultTaxable);

/// Writes the rows of \a preview in ONE transaction: all or none.
std::optional<Csv::ImportOutcome> apply(Database &db, const Preview &preview, Csv::ExistingRows existing,
                                        const Csv::ImportJob::Progress &progress = {});

/// Every stored item, one row each, with a header of the field captions.
[[nodiscard]] Csv::Writer exportCsv(Database &db);

class ImportJob final : public Csv::ImportJob
{
public:
    ImportJob(const QString &databasePath, const QLocale &locale, std::pair<bool, bool> defaultTaxable);

    [[nodiscard]] QString title() const override;
    [[nodiscard]] const QList<Csv::FieldSpec> &fields() const override;
    [[nodiscard]] bool offersExistingChoice() const override { return true; }
    [[nodiscard]] const QLocale &locale() const override { return m_locale; }
    void prepare(const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals) override;
    [[nodiscard]] int takenCount() const override { return int(m_preview.rows.size()); }
    [[nodiscard]] int matchCount() const override;
    [[nodiscard]] const QList<Csv::RowProblem> &problems() const override { return m_preview.problems; }
    std::optional<Csv::ImportOutcome> apply(Csv::ExistingRows existing, const Progress &progress) override;

private:
    QString m_databasePath;
    QLocale m_locale;
    std::pair<bool, bool> m_defaultTaxable;
    Preview m_preview;
};

} // namespace PriceTransfer
