#include "IndexStep.h"

#include "Database.h"
#include "ReceivablesIndexes.h"

namespace IndexStep {

namespace {

struct Index
{
    const char *table;
    const char *definition;
};

// Lookups by document number and by month stay fast on large files; the unique
// number index also makes a duplicate document number impossible.
const Index kIndexes[] = {
    {"tblInvHeader", "UNIQUE INDEX IF NOT EXISTS idxInvHeaderNumber ON tblInvHeader(intInvNumber)"},
    {"tblInvData", "INDEX IF NOT EXISTS idxInvDataNumber ON tblInvData(intInvNumber)"},
    // The main window asks for the few recurring invoices at every start.
    {"tblInvHeader",
     "INDEX IF NOT EXISTS idxInvHeaderRecurring ON tblInvHeader(intInvNumber) WHERE strRecurring <> '0'"},
    {"tblReport", "INDEX IF NOT EXISTS idxReportMonth ON tblReport(intReportYear,intReportMonth)"},
    {"tblSavedPrices", "INDEX IF NOT EXISTS idxSavedPricesNumber ON tblSavedPrices(intPrcItemInvNum)"},
    {"tblPlanner", "INDEX IF NOT EXISTS idxPlannerDay ON tblPlanner(intActYear,intActDayOfYear)"},
};

// Receivables reads the unpaid invoices and notices, and the credits of overpaid
// ones, without a pass over the rest.
const Index kReceivablesIndexes[] = {
    {"tblInvHeader", "INDEX IF NOT EXISTS idxInvHeaderUnpaid ON tblInvHeader(UPPER(strInvName)) "
                     "WHERE strPaidInFull = '0' AND strRecurring = '0'"},
    {"tblInvHeader", "INDEX IF NOT EXISTS idxInvHeaderCredit ON tblInvHeader(UPPER(strInvName)) "
                     "WHERE strInvTotal LIKE '-%' AND strRecurring = '0'"},
};

template <std::size_t N>
void create(Database &db, const Index (&indexes)[N])
{
    for (const Index &index : indexes) {
        if (db.tableExists(QString::fromLatin1(index.table)))
            db.exec(QStringLiteral("CREATE ") + QString::fromLatin1(index.definition));
    }
}

/// "Invoice 512 (John Doe, 2026-12-09)"
QString describe(const Statement &row, int number)
{
    const QString who = row.textAt(2).isEmpty() ? row.textAt(1) : row.textAt(2);
    QStringList details;
    if (!who.isEmpty())
        details << who;
    if (!row.textAt(3).isEmpty())
        details << row.textAt(3);
    const QString name = QStringLiteral("%1 %2").arg(row.textAt(0)).arg(number);
    return details.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, details.join(QStringLiteral(", ")));
}

/// Gives every document after the first under a shared number the next free number.
void renumberDuplicates(Database &db, SchemaUpgrade::UpgradeReport &report)
{
    Statement duplicates = db.prepare(
        QStringLiteral("SELECT intInvNumber FROM tblInvHeader GROUP BY intInvNumber HAVING COUNT(*) > 1"));
    QList<int> numbers;
    while (duplicates.step())
        numbers << duplicates.intAt(0);
    if (numbers.isEmpty())
        return;

    const bool hasCounter = db.tableExists(QStringLiteral("tblCompanyInvData"));
    for (int number : numbers) {
        Statement rows = db.prepare(QStringLiteral("SELECT strInvName, strCustCmpnyName, strCustFullName, strInvDate, "
                                                   "intInvDataHeaderID FROM tblInvHeader WHERE intInvNumber = ? "
                                                   "ORDER BY intInvDataHeaderID"));
        rows.bind(1, number);
        rows.step();
        const QString kept = describe(rows, number);
        while (rows.step()) {
            const qint64 highest = db.queryInt(QStringLiteral("SELECT MAX(intInvNumber) FROM tblInvHeader"));
            const qint64 counter =
                hasCounter ? db.queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData "
                                                        "WHERE intCompInvDataID = 1"))
                           : 0;
            const qint64 fresh = std::max(highest + 1, counter);
            db.prepare(QStringLiteral("UPDATE tblInvHeader SET intInvNumber = ? WHERE intInvDataHeaderID = ?"))
                .bindAll(fresh, rows.int64At(4))
                .run();
            if (hasCounter && counter <= fresh) {
                db.prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ? WHERE intCompInvDataID = 1"))
                    .bind(1, fresh + 1)
                    .run();
            }
            report.renumbered << QStringLiteral("%1 and %2 had one number; the second is now number %3. The lines "
                                                "and payments stored under %4 stay with the first: please check both.")
                                     .arg(kept, describe(rows, number))
                                     .arg(fresh)
                                     .arg(number);
        }
    }
}

} // namespace

void addIndexes(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &report)
{
    if (db.tableExists(QStringLiteral("tblInvHeader")))
        renumberDuplicates(db, report);
    create(db, kIndexes);
}

void addReceivablesIndexes(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    create(db, kReceivablesIndexes);
}

void addOwedIndexes(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    if (!db.tableExists(QStringLiteral("tblInvHeader")))
        return;
    db.exec(QStringLiteral("DROP INDEX IF EXISTS idxInvHeaderUnpaidDue"));
    ReceivablesIndexes::create(db);
}

} // namespace IndexStep
