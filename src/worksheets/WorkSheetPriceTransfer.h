#pragma once

#include "WorkSheetPriceStore.h"
#include "csv/CsvWriter.h"
#include "csv/ImportJob.h"

#include <QByteArray>
#include <QLocale>

class Database;

/// The 27 fixed work-sheet prices to and from CSV files. Items are matched by their
/// number; an import changes prices only, never the list itself.
namespace WorkSheetPriceTransfer {

enum Field { ItemNumber, Description, LaborPrice, MaterialPrice, FieldCount };

[[nodiscard]] const QList<Csv::FieldSpec> &fields();

struct Preview
{
    QList<WorkSheetPriceItem> rows;
    QList<int> rowNumbers;
    QList<Csv::RowProblem> problems;
};

/// Reads \a table through \a mapping. A row finds its item by number, or by
/// description when it has no number; a row whose item the list does not hold,
/// whose description names another item, or whose item is in another row too is a
/// problem. The list itself never changes, only prices.
[[nodiscard]] Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping,
                              const Csv::DecimalReading &decimals);

/// Writes the prices of \a preview in ONE transaction: all or none.
std::optional<Csv::ImportOutcome> apply(Database &db, const Preview &preview,
                                        const Csv::ImportJob::Progress &progress = {});

[[nodiscard]] Csv::Writer exportCsv(Database &db);

class ImportJob final : public Csv::ImportJob
{
public:
    ImportJob(const QString &databasePath, const QLocale &locale);

    [[nodiscard]] QString title() const override;
    [[nodiscard]] const QList<Csv::FieldSpec> &fields() const override;
    [[nodiscard]] bool offersExistingChoice() const override { return false; }
    [[nodiscard]] const QLocale &locale() const override { return m_locale; }
    void prepare(const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals) override;
    [[nodiscard]] int takenCount() const override { return int(m_preview.rows.size()); }
    [[nodiscard]] int matchCount() const override { return int(m_preview.rows.size()); }
    [[nodiscard]] const QList<Csv::RowProblem> &problems() const override { return m_preview.problems; }
    std::optional<Csv::ImportOutcome> apply(Csv::ExistingRows existing, const Progress &progress) override;

private:
    QString m_databasePath;
    QLocale m_locale;
    Preview m_preview;
};

} // namespace WorkSheetPriceTransfer
