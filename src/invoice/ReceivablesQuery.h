#pragma once

#include "Receivables.h"

#include <functional>
#include <memory>
#include <optional>

class Database;
class Statement;

/// The receivables list read from SQL a page at a time, with its figures summed by
/// the engine, so a file of a million documents opens and searches without reading
/// every unpaid row. unpaidInvoices() is the reference these agree with.
namespace Receivables {

/// The rows a search keeps, oldest due first (then by number) or in another Order,
/// read a page at a time: each page continues after the last due date and number
/// read, so no page steps over the rows before it. The last rows can be read first, backwards from the end; the
/// rows between those read from the start (the head) and those read from the end (the
/// tail) are then read from either side, so the two meet with no row missed or doubled.
class Pages
{
public:
    using Connect = std::function<std::unique_ptr<Database>()>;

    /// How the rows are found: walking every unpaid row in due order, keeping what the
    /// search keeps, or reading only the rows the search can keep, then sorting them.
    enum class Plan { Choose, WalkByDueDate, Candidates };
    /// The rows a search can keep: customers (a JSON list of names) and number ranges.
    struct Candidates
    {
        QString names;
        QList<std::pair<qint64, qint64>> numbers;
    };

    /// The orders the engine lists in as the list shows them. Rows equal in what is
    /// sorted keep due dates, then numbers, ascending, as a stable sort of the
    /// oldest-due-first list does, whichever way it sorts.
    enum class Order {
        DueDate,
        DueDateDescending,
        Number,
        NumberDescending,
        DaysOverdue,
        DaysOverdueDescending,
        Age,
        AgeDescending,
        Date,
        DateDescending,
        Customer,
        CustomerDescending
    };

    /// \a search can keep a row only by its customer, never by a number.
    [[nodiscard]] static bool onlyNames(const QString &search);

    /// Reads the first page; Plan::Choose reads the candidates when they are few.
    /// Throws DbError.
    Pages(Connect connect, QDate today, QString search, Plan plan = Plan::Choose, Order order = Order::DueDate);

    /// The head, then the tail.
    [[nodiscard]] const QList<Row> &rows() const { return m_rows; }
    /// Every row has been read: the head reached the end or met the tail.
    [[nodiscard]] bool complete() const { return m_complete; }
    /// Where rows not read yet lie, before the tail; -1 when none do.
    [[nodiscard]] int gapRow() const { return m_complete ? -1 : m_headRows; }
    /// The tail has rows: the last row is read.
    [[nodiscard]] bool endRead() const { return m_complete || m_headRows < m_rows.size(); }
    /// Reads the \a rows after the head. Throws DbError.
    void readMore(int rows = kPageRows);
    /// Reads the last \a rows, when the end is not read yet. Throws DbError.
    void readLast(int rows = kPageRows);
    /// Reads the \a rows before the tail. Throws DbError.
    void readBeforeTail(int rows = kPageRows);
    /// Reads every row not read yet. Throws DbError.
    void readAll();

    static constexpr int kPageRows = 128;

private:
    /// The customers owing, read when first asked for.
    using Owing = std::function<const QStringList &()>;
    /// Nothing when the search keeps too many rows for candidates to pay (unless \a always).
    [[nodiscard]] static std::optional<Candidates> candidatesOf(const QString &search, bool always, const Owing &owing);
    /// The customers of the list's rows (\a owing, and those of paid credits) whose
    /// case-folded name contains \a containing, in the user's collation of those
    /// names, those it puts level together, each group a JSON list of names.
    [[nodiscard]] static QStringList customerGroups(Database &db, const Owing &owing, const QString &containing);
    enum class Side { AfterHead, BeforeTail };
    /// Reads up to \a limit rows next to the gap on \a side.
    void read(Database &db, Side side, int limit);

    Connect m_connect;
    QDate m_today;
    QString m_search;
    Order m_order;
    std::optional<Candidates> m_candidates;
    QStringList m_customerGroups;
    QList<Row> m_rows;
    int m_headRows = 0;
    /// Where a row stands in the list's order: the stretch of the order it is in, and
    /// the dates it is sorted by, as stored.
    struct StoredKey
    {
        int segment = 0;
        QString due;
        QString date;
    };
    // Of the rows beside the gap.
    StoredKey m_headLast;
    StoredKey m_tailFirst;
    bool m_complete = false;
};

/// Which rows of a search the figures statement reads: those owed, walked in due
/// order from one end, the credits of documents marked paid, or all of them at once.
enum class FiguresRows { OwedFromStart, OwedFromEnd, Credits, All };
/// The statement the figures are summed from: due date, number, customer id, company,
/// name and stored amount of each row \a search keeps, amounts that do not read too.
[[nodiscard]] QString figuresSql(const QString &search, FiguresRows rows);
/// Binds \a search to a statement of figuresSql().
void bindFiguresSearch(Statement &q, const QString &search);

} // namespace Receivables
