#pragma once

#include "Receivables.h"

#include <functional>
#include <memory>
#include <optional>

class Database;

/// The receivables list read from SQL a page at a time, with its figures summed by
/// the engine, so a file of a million documents opens and searches without reading
/// every unpaid row. unpaidInvoices() is the reference these agree with.
namespace Receivables {

/// The rows a search keeps, oldest due first (then by number), read a page at a time:
/// each page continues after the last due date and number read, so no page steps over
/// the rows before it.
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

    /// Reads the first page; Plan::Choose reads the candidates when they are few.
    /// Throws DbError.
    Pages(Connect connect, QDate today, QString search, Plan plan = Plan::Choose);

    [[nodiscard]] const QList<Row> &rows() const { return m_rows; }
    /// Every row has been read.
    [[nodiscard]] bool complete() const { return m_complete; }
    /// Reads the next page. Throws DbError.
    void readMore();

    static constexpr int kPageRows = 128;

private:
    /// Nothing when the search keeps too many rows for candidates to pay (unless \a always).
    [[nodiscard]] static std::optional<Candidates> candidatesOf(Database &db, const QString &search, bool always);
    void read(Database &db);

    Connect m_connect;
    QDate m_today;
    QString m_search;
    std::optional<Candidates> m_candidates;
    QList<Row> m_rows;
    QString m_lastDue; // as stored, where the next page starts
    bool m_complete = false;
};

/// The figures of the rows \a search keeps, summed in SQL. Throws DbError.
[[nodiscard]] Figures figures(Database &db, QDate today, const QString &search);

/// The documents of the list whose stored amount does not read, by number. Throws DbError.
[[nodiscard]] QList<int> unreadableDocuments(Database &db);

} // namespace Receivables
