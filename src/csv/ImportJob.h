#pragma once

#include "CsvFields.h"
#include "data/BatchWrite.h"

#include <QString>
#include <functional>
#include <optional>

namespace Csv {

/// What to do with a row that matches one already stored.
enum class ExistingRows { Skip, Update };

struct ImportOutcome
{
    int added = 0;
    int updated = 0;
    int skipped = 0;
};

/// One kind of import (customers, price items, work-sheet prices) as the import
/// dialog drives it: fields to map, a preview, then one all-or-nothing write.
class ImportJob
{
public:
    /// Told how many of how many rows are written; answers false to stop.
    using Progress = std::function<bool(int done, int total)>;

    virtual ~ImportJob() = default;

    /// "Import Customers".
    [[nodiscard]] virtual QString title() const = 0;
    [[nodiscard]] virtual const QList<FieldSpec> &fields() const = 0;
    /// Whether rows can match stored ones the user may skip or update.
    [[nodiscard]] virtual bool offersExistingChoice() const = 0;
    /// The user's locale, whose decimal mark decides a file whose values do not.
    [[nodiscard]] virtual const QLocale &locale() const = 0;

    /// Reads the file's rows through \a mapping, its decimals as \a decimals says;
    /// nothing is written. Throws DbError when the stored rows cannot be read.
    virtual void prepare(const Table &table, const Mapping &mapping, const DecimalReading &decimals) = 0;
    /// After prepare(): rows that will be written, of them the ones that match a
    /// stored row, and every row that cannot be taken.
    [[nodiscard]] virtual int takenCount() const = 0;
    [[nodiscard]] virtual int matchCount() const = 0;
    [[nodiscard]] virtual const QList<RowProblem> &problems() const = 0;

    /// Writes the prepared rows in one transaction; nothing when \a progress stops
    /// it. Throws DbError, and then nothing is written either.
    virtual std::optional<ImportOutcome> apply(ExistingRows existing, const Progress &progress) = 0;
};

/// Writes \a rows in ONE transaction: a row that \a matchesStored is skipped or
/// updated as \a existing says, any other is added. Nothing when \a progress stops it.
template<typename Row, typename Matches, typename Insert, typename Update>
std::optional<ImportOutcome> writeRows(Database &db, const QList<Row> &rows, ExistingRows existing,
                                       Matches matchesStored, Insert insert, Update update,
                                       const ImportJob::Progress &progress)
{
    ImportOutcome outcome;
    const auto writeRow = [&](int i) {
        const Row &row = rows[i];
        if (!matchesStored(row)) {
            insert(row);
            ++outcome.added;
        } else if (existing == ExistingRows::Skip) {
            ++outcome.skipped;
        } else {
            update(row);
            ++outcome.updated;
        }
    };
    if (!BatchWrite::run(db, int(rows.size()), writeRow, progress))
        return std::nullopt;
    return outcome;
}

} // namespace Csv
