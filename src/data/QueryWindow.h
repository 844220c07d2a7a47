#pragma once

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

class Database;

/// The rows of one statement, read a block at a time as a list or a printout comes
/// to them instead of all at once: a list of 100,000 documents costs one COUNT(*)
/// and the rows on screen, and a list that shows its first rows before the count
/// costs only those rows until the count is asked for. Rows are ordered by a unique integer key; a block that
/// follows a block already read continues after its last key,
/// so scrolling and printing never re-read what lies before them. Only a bounded
/// number of blocks stays in memory.
class QueryWindow
{
public:
    struct Query
    {
        /// The column list of a row.
        QString columns;
        QString from;
        /// The condition, or empty for every row.
        QString where;
        /// Bound to the condition's placeholders, in order.
        QStringList values;
        /// A unique integer column that orders the rows (the rowid keeps storage order).
        QString key;
    };
    /// A new connection for one read, with whatever SQL functions the query uses.
    using Connect = std::function<std::unique_ptr<Database>()>;

    /// The COUNT(*) of a query, to be run on any connection (another thread's too).
    struct Counting
    {
        QString sql;
        QStringList values;
    };
    enum class Count { First, Later };

    /// Reads the first block and, with Count::First, counts the rows. Throws DbError
    /// when the statement fails, so a caller can keep what it showed before.
    QueryWindow(Connect connect, Query query, Count when = Count::First);

    /// The rows counted, or those read so far while the count is not known.
    [[nodiscard]] int rowCount() const { return m_rowCount; }
    [[nodiscard]] bool countKnown() const { return m_countKnown; }
    /// Reads the block after the rows read so far; the count is known once one
    /// comes back short. Throws DbError.
    void readMore();
    /// Counts the rows now, when not known yet. Throws DbError.
    void count();
    [[nodiscard]] Counting counting() const;
    [[nodiscard]] static int countWith(Database &db, const Counting &counting);
    /// Takes a count made elsewhere from counting().
    void setCount(int rows);
    /// The texts of row \a index's columns, reading its block when it is not held;
    /// valid until the next call. Throws DbError when the block cannot be read.
    [[nodiscard]] const QStringList &row(int index) const;
    /// Rows \a first to \a first + \a count - 1 (fewer at the end).
    [[nodiscard]] QList<QStringList> rows(int first, int count) const;
    /// The whole statement with its ORDER BY, as one bare read would run it.
    [[nodiscard]] QString statement() const;

    static constexpr int kBlockRows = 128;
    static constexpr int kKeptBlocks = 48;

private:
    struct Block
    {
        QList<QStringList> rows;
        qint64 lastKey = 0;
        quint64 lastUse = 0;
    };
    const Block &block(int index) const;
    Block read(Database &db, int index) const;
    /// The block starting at row \a first, read backwards from the last row.
    Block readFromEnd(Database &db, qint64 first) const;
    void forgetOldest() const;

    Connect m_connect;
    Query m_query;
    int m_rowCount = 0;
    bool m_countKnown = false;
    mutable QHash<int, Block> m_blocks;
    mutable quint64 m_uses = 0;
};
