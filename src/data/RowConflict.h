#pragma once

#include "DbError.h"
#include "core/Prompts.h"

#include <QStringList>
#include <functional>
#include <optional>

class Database;

/// A save found its row changed, or deleted, by another copy of the program since
/// this copy read it: nothing was written. A DbError, so a caller that does not
/// handle it still reports it.
class RowConflict : public DbError
{
public:
    enum class Kind { ChangedMeanwhile, DeletedMeanwhile };

    /// \a caption names the row as the user knows it ("Invoice 501").
    RowConflict(Kind kind, const QString &caption);

    [[nodiscard]] Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

namespace RowVersions {

/// Throws RowConflict unless the row of \a table whose \a keyColumn is \a key is
/// still stored at version \a expected. Call inside the write transaction.
void expect(Database &db, const QString &table, const QString &keyColumn, qint64 key, qint64 expected,
            const QString &caption);

/// What came of a save that may have met another copy's changes.
enum class SaveOutcome {
    Saved,
    /// The record now holds what is stored; this copy's edits are dropped.
    TookTheirs,
    /// Nothing was written; the record stays as typed.
    KeptEditing,
};

/// How saveOrAsk reaches the store for one kind of record.
template<typename Record>
struct Access
{
    /// Stores the record; throws RowConflict.
    std::function<void(const Record &)> save;
    /// The record as stored now, or nothing when it is gone.
    std::function<std::optional<Record>()> findTheirs;
    /// What storing mine over theirs would lose, one line each.
    std::function<QStringList(const Record &mine, const Record &theirs)> lost;
    /// Forgets the stored row: the next save inserts mine afresh. Left empty where a
    /// row cannot be stored again; a deleted one is then reported as the conflict.
    std::function<void(Record &)> makeNew;
    /// Takes over the version of theirs, so the next save writes over it.
    std::function<void(Record &mine, const Record &theirs)> adoptVersion;
};

/// Asks what to do about \a conflict: take theirs, overwrite theirs after naming
/// what would be lost, or keep editing. Escape and Enter keep editing.
enum class Answer { TakeTheirs, Overwrite, KeepEditing };
[[nodiscard]] Answer askChanged(Prompts &prompts, const QString &caption);
[[nodiscard]] bool confirmLoss(Prompts &prompts, const QString &caption, const QStringList &lost);
[[nodiscard]] bool askStoreAgain(Prompts &prompts, const QString &caption);

/// Saves \a mine; when another copy changed or deleted it meanwhile, asks and does
/// what the user chose. Other failures are thrown.
template<typename Record>
SaveOutcome saveOrAsk(Prompts &prompts, const QString &caption, Record &mine, const Access<Record> &access)
{
    for (;;) {
        try {
            access.save(mine);
            return SaveOutcome::Saved;
        } catch (const RowConflict &conflict) {
            const std::optional<Record> theirs = access.findTheirs();
            if (conflict.kind() == RowConflict::Kind::DeletedMeanwhile || !theirs) {
                if (!access.makeNew)
                    throw;
                if (!askStoreAgain(prompts, caption))
                    return SaveOutcome::KeptEditing;
                access.makeNew(mine);
                continue;
            }
            switch (askChanged(prompts, caption)) {
            case Answer::TakeTheirs:
                mine = *theirs;
                return SaveOutcome::TookTheirs;
            case Answer::Overwrite: {
                const QStringList lost = access.lost(mine, *theirs);
                if (!lost.isEmpty() && !confirmLoss(prompts, caption, lost))
                    return SaveOutcome::KeptEditing;
                access.adoptVersion(mine, *theirs);
                continue;
            }
            case Answer::KeepEditing:
                return SaveOutcome::KeptEditing;
            }
        }
    }
}

} // namespace RowVersions
