#include "ProgressStore.h"

#include "CentSplit.h"
#include "data/BoolText.h"
#include "data/Database.h"

#include <limits>
#include <unordered_map>

namespace ProgressStore {

namespace {

// Stored in currency units; read back as the whole cents they were written from.
double storedCents(double amount)
{
    return CentSplit::centsOf(amount);
}

double stored(double cents)
{
    return cents / 100.0;
}

} // namespace

std::vector<StoredItem> schedule(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT intScheduleItemID, intSourceInvNumber, intSourceLine, strItemDescription, dbLaborValue, "
        "dbMaterialValue, strLaborTaxed, strMaterialTaxed FROM tblProgressSchedule WHERE intJobID = ? "
        "ORDER BY intScheduleItemID"));
    q.bind(1, jobId);
    std::vector<StoredItem> items;
    while (q.step()) {
        StoredItem stored{.id = q.int64At(0), .sourceNumber = q.intAt(1), .sourceLine = q.intAt(2), .item = {}};
        stored.item.description = q.textAt(3);
        stored.item.laborCents = storedCents(q.doubleAt(4));
        stored.item.materialCents = storedCents(q.doubleAt(5));
        stored.item.laborTaxed = BoolText::parse(q.textAt(6)).value_or(false);
        stored.item.materialTaxed = BoolText::parse(q.textAt(7)).value_or(false);
        items.push_back(stored);
    }
    return items;
}

int addToSchedule(Database &db, int jobId, int sourceNumber, const std::vector<ProgressBilling::ScheduleItem> &lines)
{
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblProgressSchedule(intJobID, intSourceInvNumber, intSourceLine, strItemDescription, "
        "dbLaborValue, dbMaterialValue, strLaborTaxed, strMaterialTaxed) VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (intJobID, intSourceInvNumber, intSourceLine) DO NOTHING"));
    int added = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ProgressBilling::ScheduleItem &line = lines[i];
        insert.reset();
        insert.bindAll(jobId, sourceNumber, int(i), line.description, stored(line.laborCents), stored(line.materialCents),
                       line.laborTaxed, line.materialTaxed);
        insert.run();
        added += db.changes() > 0 ? 1 : 0;
    }
    return added;
}

bool hasSchedule(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral("SELECT 1 FROM tblProgressSchedule WHERE intJobID = ? LIMIT 1"));
    q.bind(1, jobId);
    return q.step();
}

bool hasProgressInvoices(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral("SELECT 1 FROM tblProgressInvoices WHERE intJobID = ? LIMIT 1"));
    q.bind(1, jobId);
    return q.step();
}

double retainagePercent(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral("SELECT dbRetainagePercent FROM tblProgressJobs WHERE intJobID = ?"));
    q.bind(1, jobId);
    return q.step() ? q.doubleAt(0) : 0.0;
}

void setRetainagePercent(Database &db, int jobId, double percent)
{
    db.prepare(QStringLiteral("INSERT INTO tblProgressJobs(intJobID, dbRetainagePercent) VALUES (?, ?) "
                              "ON CONFLICT (intJobID) DO UPDATE SET dbRetainagePercent = excluded.dbRetainagePercent"))
        .bindAll(jobId, percent)
        .run();
}

ProgressBilling::Billed billedBefore(Database &db, int jobId, const std::vector<StoredItem> &items, int number)
{
    const int below = number > 0 ? number : std::numeric_limits<int>::max();
    ProgressBilling::Billed billed;

    // Each bill holds completed to date of every item it was made from; the latest wins.
    std::unordered_map<qint64, double> completed;
    Statement rows = db.prepare(QStringLiteral(
        "SELECT b.intScheduleItemID, b.dbCompletedToDate FROM tblProgressBilled b "
        "JOIN tblProgressSchedule s ON s.intScheduleItemID = b.intScheduleItemID "
        "WHERE s.intJobID = ? AND b.intInvNumber < ? ORDER BY b.intInvNumber"));
    rows.bindAll(jobId, below);
    while (rows.step())
        completed[rows.int64At(0)] = storedCents(rows.doubleAt(1));
    for (const StoredItem &item : items) {
        const auto found = completed.find(item.id);
        billed.completedCents.push_back(found == completed.end() ? 0.0 : found->second);
    }

    Statement sums = db.prepare(QStringLiteral(
        "SELECT dbRetainage, dbRetainageReleased, dbDepositsApplied, dbTax1, dbTax2, dbTax3, dbLaborTax1, "
        "dbLaborTax2, dbLaborTax3 FROM tblProgressInvoices WHERE intJobID = ? AND intInvNumber < ?"));
    sums.bindAll(jobId, below);
    while (sums.step()) {
        billed.retainageWithheldCents += storedCents(sums.doubleAt(0));
        billed.retainageReleasedCents += storedCents(sums.doubleAt(1));
        billed.depositsAppliedCents += storedCents(sums.doubleAt(2));
        for (int t = 0; t < 3; ++t) {
            const double tax = storedCents(sums.doubleAt(3 + t));
            const double labor = storedCents(sums.doubleAt(6 + t));
            billed.taxCents[t] += tax;
            billed.taxParts[t].labor += labor;
            billed.taxParts[t].material += tax - labor;
        }
    }
    return billed;
}

void storeBill(Database &db, int jobId, int number, const std::vector<StoredItem> &items, const ProgressBilling::Bill &bill)
{
    db.prepare(QStringLiteral("DELETE FROM tblProgressBilled WHERE intInvNumber = ?")).bind(1, number).run();
    Statement row = db.prepare(QStringLiteral(
        "INSERT INTO tblProgressBilled(intInvNumber, intScheduleItemID, dbCompletedToDate) VALUES (?, ?, ?)"));
    for (std::size_t i = 0; i < bill.rows.size() && i < items.size(); ++i) {
        row.reset();
        row.bindAll(number, items[i].id, stored(bill.rows[i].toDateCents()));
        row.run();
    }
    db.prepare(QStringLiteral(
                   "INSERT INTO tblProgressInvoices(intInvNumber, intJobID, dbWorkCompleted, dbLaborWork, "
                   "dbRetainage, dbRetainageReleased, dbDepositsApplied, dbTax1, dbTax2, dbTax3, dbLaborTax1, "
                   "dbLaborTax2, dbLaborTax3) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                   "ON CONFLICT (intInvNumber) DO UPDATE SET intJobID = excluded.intJobID, "
                   "dbWorkCompleted = excluded.dbWorkCompleted, dbLaborWork = excluded.dbLaborWork, "
                   "dbRetainage = excluded.dbRetainage, dbRetainageReleased = excluded.dbRetainageReleased, "
                   "dbDepositsApplied = excluded.dbDepositsApplied, dbTax1 = excluded.dbTax1, "
                   "dbTax2 = excluded.dbTax2, dbTax3 = excluded.dbTax3, dbLaborTax1 = excluded.dbLaborTax1, "
                   "dbLaborTax2 = excluded.dbLaborTax2, dbLaborTax3 = excluded.dbLaborTax3"))
        .bindAll(number, jobId, stored(bill.workCents), stored(bill.laborCents()), stored(bill.retainageCents),
                 stored(bill.retainageReleasedCents),
                 stored(bill.depositsAppliedCents), stored(bill.taxCents[0]), stored(bill.taxCents[1]),
                 stored(bill.taxCents[2]), stored(bill.taxParts[0].labor), stored(bill.taxParts[1].labor),
                 stored(bill.taxParts[2].labor))
        .run();
}

std::optional<ProgressFigures> figuresOf(Database &db, int number, bool asCredit)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT dbWorkCompleted, dbLaborWork, dbRetainage, dbRetainageReleased, dbDepositsApplied, dbTax1, dbTax2, "
        "dbTax3, dbLaborTax1, dbLaborTax2, dbLaborTax3 FROM tblProgressInvoices WHERE intInvNumber = ?"));
    q.bind(1, number);
    if (!q.step())
        return std::nullopt;
    // A Credit shows what it gives back as positive amounts, like any credit.
    const double sign = asCredit ? -1.0 : 1.0;
    const auto cents = [&](int column) { return sign * storedCents(q.doubleAt(column)); };
    ProgressFigures figures;
    const double labor = cents(1);
    figures.totals.LbrTotals[0] = labor / 100.0;
    figures.totals.MatTotals[0] = (cents(0) - labor) / 100.0;
    for (int t = 0; t < 3; ++t) {
        const double laborTax = cents(8 + t);
        figures.totals.LbrTotals[std::size_t(t) + 1] = laborTax / 100.0;
        figures.totals.MatTotals[std::size_t(t) + 1] = (cents(5 + t) - laborTax) / 100.0;
    }
    figures.retainage = cents(2) / 100.0;
    figures.released = cents(3) / 100.0;
    figures.depositsApplied = cents(4) / 100.0;
    return figures;
}

int latestBill(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral("SELECT MAX(intInvNumber) FROM tblProgressInvoices WHERE intJobID = ?"));
    q.bind(1, jobId);
    return q.step() ? q.intAt(0) : 0;
}

std::optional<int> jobOfBill(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral("SELECT intJobID FROM tblProgressInvoices WHERE intInvNumber = ?"));
    q.bind(1, number);
    if (!q.step())
        return std::nullopt;
    return q.intAt(0);
}

void removeBill(Database &db, int number)
{
    db.prepare(QStringLiteral("DELETE FROM tblProgressBilled WHERE intInvNumber = ?")).bind(1, number).run();
    db.prepare(QStringLiteral("DELETE FROM tblProgressInvoices WHERE intInvNumber = ?")).bind(1, number).run();
}

} // namespace ProgressStore
