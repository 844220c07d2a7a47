#include "RowConflict.h"

#include "Database.h"

#include <sqlite3.h>

RowConflict::RowConflict(Kind kind, const QString &caption)
    : DbError(SQLITE_BUSY,
              (kind == Kind::ChangedMeanwhile
                   ? QStringLiteral("%1 was changed by another copy of the program after it was opened here.")
                   : QStringLiteral("%1 was deleted by another copy of the program after it was opened here."))
                      .arg(caption)
                  + QStringLiteral(" Nothing was saved."))
    , m_kind(kind)
{
}

namespace RowVersions {

void expect(Database &db, const QString &table, const QString &keyColumn, qint64 key, qint64 expected,
            const QString &caption)
{
    Statement q = db.prepare(QStringLiteral("SELECT intRowVersion FROM %1 WHERE %2 = ?").arg(table, keyColumn));
    q.bind(1, key);
    if (!q.step())
        throw RowConflict(RowConflict::Kind::DeletedMeanwhile, caption);
    if (q.int64At(0) != expected)
        throw RowConflict(RowConflict::Kind::ChangedMeanwhile, caption);
}

Answer askChanged(Prompts &prompts, const QString &caption)
{
    const QString message = QStringLiteral("%1 was changed by another copy of the program after you opened it.\n\n"
                                           "Take Theirs shows it as stored now and drops your changes.\n"
                                           "Overwrite Theirs stores your version after showing what theirs "
                                           "would lose.")
                                .arg(caption);
    const QStringList buttons = {QStringLiteral("&Take Theirs"), QStringLiteral("&Overwrite Theirs..."),
                                 QStringLiteral("Cancel")};
    switch (prompts.ShowChoice(message, buttons, 2, 2)) {
    case 0:
        return Answer::TakeTheirs;
    case 1:
        return Answer::Overwrite;
    default:
        return Answer::KeepEditing;
    }
}

bool confirmLoss(Prompts &prompts, const QString &caption, const QStringList &lost)
{
    const QString question = QStringLiteral("Overwriting %1 loses what the other copy stored:\n\n- %2\n\n"
                                            "Overwrite it with your version?")
                                 .arg(caption, lost.join(QStringLiteral("\n- ")));
    return prompts.ShowYesNo(question, Prompts::No) == Prompts::Yes;
}

bool askStoreAgain(Prompts &prompts, const QString &caption)
{
    const QString question = QStringLiteral("%1 was deleted by another copy of the program after you opened it. "
                                            "Save your version again?")
                                 .arg(caption);
    return prompts.ShowYesNo(question, Prompts::Yes) == Prompts::Yes;
}

} // namespace RowVersions
