#include "QueryWindow.h"

#include "Database.h"

#include <algorithm>

QueryWindow::QueryWindow(Connect connect, Query query, Count when)
    : m_connect(std::move(connect))
    , m_query(std::move(query))
{
    const auto db = m_connect();
    Block first = read(*db, 0);
    m_rowCount = int(first.rows.size());
    // A search that matches little is read whole by its first block; counting it
    // would scan the table a second time.
    m_countKnown = first.rows.size() < kBlockRows;
    if (m_rowCount > 0)
        m_blocks.insert(0, std::move(first));
    if (!m_countKnown && when == Count::First)
        setCount(countWith(*db, counting()));
}

QueryWindow::Counting QueryWindow::counting() const
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + m_query.from;
    if (!m_query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_query.where;
    return {sql, m_query.values};
}

int QueryWindow::countWith(Database &db, const Counting &counting)
{
    Statement statement = db.prepare(counting.sql);
    for (int i = 0; i < counting.values.size(); ++i)
        statement.bind(i + 1, counting.values.at(i));
    return statement.step() ? statement.intAt(0) : 0;
}

void QueryWindow::setCount(int rows)
{
    m_rowCount = rows;
    m_countKnown = true;
}

void QueryWindow::count()
{
    if (!m_countKnown)
        setCount(countWith(*m_connect(), counting()));
}

void QueryWindow::readMore()
{
    if (m_countKnown)
        return;
    const int next = m_rowCount / kBlockRows;
    const Block &more = block(next);
    m_rowCount += int(more.rows.size());
    if (more.rows.size() < kBlockRows)
        m_countKnown = true;
}

namespace {

/// The shown columns of the current row: every column after the key.
QStringList shownTexts(const Statement &query)
{
    const int columns = query.columnCount();
    QStringList texts;
    texts.reserve(columns - 1);
    for (int c = 1; c < columns; ++c)
        texts.append(query.textAt(c));
    return texts;
}

} // namespace

QString QueryWindow::statement() const
{
    QString sql = QStringLiteral("SELECT ") + m_query.columns + QStringLiteral(" FROM ") + m_query.from;
    if (!m_query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_query.where;
    return sql + QStringLiteral(" ORDER BY ") + m_query.key;
}

QueryWindow::Block QueryWindow::read(Database &db, int index) const
{
    // After the block before this one when it is held: the key index finds the place
    // at once, where an OFFSET would step over every earlier row again.
    const auto previous = m_blocks.constFind(index - 1);
    const bool continues = index > 0 && previous != m_blocks.constEnd() && !previous->rows.isEmpty();
    // A block in the second half of a counted list is counted from the end: the
    // last rows (End) are read without stepping over all the others.
    const qint64 first = qint64(index) * kBlockRows;
    if (!continues && m_countKnown && first >= m_rowCount / 2 && first < m_rowCount)
        return readFromEnd(db, first);
    QString sql = QStringLiteral("SELECT ") + m_query.key + QLatin1Char(',') + m_query.columns + QStringLiteral(" FROM ")
                  + m_query.from;
    QStringList terms;
    if (!m_query.where.isEmpty())
        terms << QLatin1Char('(') + m_query.where + QLatin1Char(')');
    if (continues)
        terms << m_query.key + QStringLiteral(" > ?");
    if (!terms.isEmpty())
        sql += QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + m_query.key + QStringLiteral(" LIMIT ?");
    if (!continues)
        sql += QStringLiteral(" OFFSET ?");

    Statement query = db.prepare(sql);
    int bound = 0;
    for (const QString &value : m_query.values)
        query.bind(++bound, value);
    if (continues)
        query.bind(++bound, previous->lastKey);
    query.bind(++bound, kBlockRows);
    if (!continues)
        query.bind(++bound, qint64(index) * kBlockRows);

    Block block;
    block.rows.reserve(kBlockRows);
    while (query.step()) {
        block.lastKey = query.int64At(0);
        block.rows.append(shownTexts(query));
    }
    return block;
}

QueryWindow::Block QueryWindow::readFromEnd(Database &db, qint64 first) const
{
    const qint64 wanted = std::min<qint64>(kBlockRows, m_rowCount - first);
    QString sql = QStringLiteral("SELECT ") + m_query.key + QLatin1Char(',') + m_query.columns + QStringLiteral(" FROM ")
                  + m_query.from;
    if (!m_query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_query.where;
    sql += QStringLiteral(" ORDER BY ") + m_query.key + QStringLiteral(" DESC LIMIT ? OFFSET ?");
    Statement query = db.prepare(sql);
    int bound = 0;
    for (const QString &value : m_query.values)
        query.bind(++bound, value);
    query.bind(++bound, wanted);
    query.bind(++bound, m_rowCount - first - wanted);

    Block block;
    block.rows.reserve(int(wanted));
    while (query.step()) {
        if (block.rows.isEmpty())
            block.lastKey = query.int64At(0);
        block.rows.prepend(shownTexts(query));
    }
    return block;
}

const QueryWindow::Block &QueryWindow::block(int index) const
{
    auto found = m_blocks.find(index);
    if (found == m_blocks.end()) {
        Block fresh = read(*m_connect(), index);
        forgetOldest();
        found = m_blocks.insert(index, std::move(fresh));
    }
    found->lastUse = ++m_uses;
    return *found;
}

void QueryWindow::forgetOldest() const
{
    if (m_blocks.size() < kKeptBlocks)
        return;
    const auto oldest = std::min_element(m_blocks.begin(), m_blocks.end(),
                                         [](const Block &a, const Block &b) { return a.lastUse < b.lastUse; });
    m_blocks.erase(oldest);
}

const QStringList &QueryWindow::row(int index) const
{
    static const QStringList none;
    if (index < 0 || index >= m_rowCount)
        return none;
    const Block &held = block(index / kBlockRows);
    const int inBlock = index % kBlockRows;
    // Rows deleted by another copy since the count leave the end of the list empty.
    return inBlock < held.rows.size() ? held.rows.at(inBlock) : none;
}

QList<QStringList> QueryWindow::rows(int first, int count) const
{
    QList<QStringList> result;
    const int end = std::min(m_rowCount, first + count);
    for (int i = std::max(0, first); i < end; ++i)
        result.append(row(i));
    return result;
}
