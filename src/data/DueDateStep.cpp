#include "DueDateStep.h"

#include "Database.h"
#include "ReceivablesIndexes.h"
#include "StoredForm.h"
#include "core/DueDateTerms.h"

#include <QHash>

namespace DueDateStep {

void storeDueDates(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    const QString header = QStringLiteral("tblInvHeader");
    if (!db.tableExists(header))
        return;
    if (!db.columnExists(header, QStringLiteral("strDueDateStored")))
        db.exec(QStringLiteral("ALTER TABLE tblInvHeader ADD COLUMN strDueDateStored TEXT NOT NULL DEFAULT ''"));

    // A due date the user set is stored as it is; the rest follow their terms, and
    // the same few terms stand on thousands of documents: each is read once. A set
    // due date that does not read is not copied: the terms give the date, as lists
    // showed it before.
    db.exec(QStringLiteral("UPDATE tblInvHeader SET strDueDateStored = strDueDate WHERE strDueDate <> ''"));
    // Read a block, then write it: rows are never changed under a running read.
    Statement rows = db.prepare(QStringLiteral(
        "SELECT intInvDataHeaderID, strInvDate, strCustPymntTerms, strDueDate FROM tblInvHeader "
        "WHERE intInvDataHeaderID > ? ORDER BY intInvDataHeaderID LIMIT 20000"));
    Statement store = db.prepare(QStringLiteral("UPDATE tblInvHeader SET strDueDateStored = ? WHERE intInvDataHeaderID = ?"));
    QHash<QString, DueDates::Terms> termsRead;
    QList<std::pair<qint64, QString>> block;
    qint64 after = 0;
    int read = 0;
    do {
        block.clear();
        read = 0;
        rows.bind(1, after);
        while (rows.step()) {
            ++read;
            after = rows.int64At(0);
            if (StoredForm::readDate(rows.textAt(3)))
                continue;
            // A date that does not read keeps no due date, as the document shows none.
            const std::optional<QDate> date = StoredForm::readDate(rows.textAt(1));
            if (!date) {
                block.append({after, QString()});
                continue;
            }
            const QString terms = rows.textAt(2);
            auto known = termsRead.constFind(terms);
            if (known == termsRead.constEnd())
                known = termsRead.insert(terms, DueDates::Terms::read(terms));
            block.append({after, StoredForm::dateText(known->dueFrom(*date))});
        }
        rows.reset();
        for (const auto &[rowid, due] : block) {
            store.bindAll(due, rowid);
            store.run();
            store.reset();
        }
    } while (read > 0);
    ReceivablesIndexes::create(db);
}

} // namespace DueDateStep
