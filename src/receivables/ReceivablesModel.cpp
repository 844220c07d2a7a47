#include "ReceivablesModel.h"

#include "data/DateText.h"
#include "data/DbError.h"
#include "invoice/Money.h"

#include <algorithm>

namespace {

using Receivables::Row;

template<typename T>
int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

/// Negative, zero or positive as \a a lists before, with or after \a b by \a column.
int compareBy(const Row &a, const Row &b, int column)
{
    using M = ReceivablesModel;
    switch (column) {
    case M::Customer: return QString::localeAwareCompare(a.customer.toCaseFolded(), b.customer.toCaseFolded());
    case M::Invoice: return threeWay(a.invoiceNumber, b.invoiceNumber);
    case M::Date: return threeWay(a.date, b.date);
    case M::DueDate: return threeWay(a.dueDate, b.dueDate);
    case M::Total: return threeWay(a.total, b.total);
    case M::Paid: return threeWay(a.paid, b.paid);
    case M::Balance: return threeWay(a.balance, b.balance);
    case M::DaysOverdue: return threeWay(a.daysOverdue, b.daysOverdue);
    case M::Age: return threeWay(int(a.bucket), int(b.bucket));
    default: return 0;
    }
}

} // namespace

ReceivablesModel::ReceivablesModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ReceivablesModel::setSource(Receivables::Pages::Connect connect, DataContext *context, QDate today,
                                 const QLocale &locale, ErrorHandler onError)
{
    m_connect = std::move(connect);
    m_context = context;
    m_today = today;
    m_locale = locale;
    m_onError = std::move(onError);
}

void ReceivablesModel::reload()
{
    if (!m_pages) {
        relist();
        return;
    }
    const int read = int(m_pages->rows().size());
    const int gap = m_pages->gapRow();
    relist(gap < 0 ? read : gap, gap < 0 ? 0 : read - gap);
}

void ReceivablesModel::setSearch(const QString &text)
{
    const QString before = m_search;
    m_search = text;
    try {
        relist();
    } catch (const DbError &) {
        m_search = before;
        throw;
    }
}

void ReceivablesModel::sort(int column, Qt::SortOrder order)
{
    const int beforeColumn = m_sortColumn;
    const Qt::SortOrder beforeOrder = m_sortOrder;
    m_sortColumn = column;
    m_sortOrder = order;
    if (!m_connect)
        return;
    try {
        relist();
    } catch (const DbError &error) {
        m_sortColumn = beforeColumn;
        m_sortOrder = beforeOrder;
        if (m_onError)
            m_onError(error);
    }
}

std::optional<Receivables::Pages::Order> ReceivablesModel::pagedOrder() const
{
    using Order = Receivables::Pages::Order;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (m_sortColumn < 0 || m_sortColumn >= ColumnCount)
        return Order::DueDate;
    if (m_sortColumn == DueDate)
        return descending ? Order::DueDateDescending : Order::DueDate;
    if (m_sortColumn == Invoice)
        return descending ? Order::NumberDescending : Order::Number;
    // Customers in the user's collation are walked one at a time, each in its own
    // statement: quick for those a search can keep by name, but a search for a number
    // would have every customer read for a few rows.
    if (m_sortColumn == Customer && (m_search.trimmed().isEmpty() || Receivables::Pages::onlyNames(m_search)))
        return descending ? Order::CustomerDescending : Order::Customer;
    if (m_sortColumn == Date)
        return descending ? Order::DateDescending : Order::Date;
    if (m_sortColumn == DaysOverdue)
        return descending ? Order::DaysOverdueDescending : Order::DaysOverdue;
    if (m_sortColumn == Age)
        return descending ? Order::AgeDescending : Order::Age;
    return std::nullopt;
}

void ReceivablesModel::relist(int headRows, int tailRows)
{
    if (const auto order = pagedOrder()) {
        auto pages = std::make_unique<Receivables::Pages>(m_connect, m_today, m_search,
                                                          Receivables::Pages::Plan::Choose, *order);
        if (headRows > pages->rows().size())
            pages->readMore(headRows - int(pages->rows().size()));
        if (tailRows > 0)
            pages->readLast(tailRows);
        beginResetModel();
        m_pages = std::move(pages);
        m_sorted.clear();
        endResetModel();
        return;
    }
    // Another order needs every row the search leaves before the first can show.
    QList<Row> rows = readEveryRow();
    // Stable, so equal values keep the listing's order (oldest due date first).
    const int column = m_sortColumn;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(rows.begin(), rows.end(), [column, descending](const Row &a, const Row &b) {
        const int order = compareBy(a, b, column);
        return descending ? order > 0 : order < 0;
    });
    beginResetModel();
    m_pages.reset();
    m_sorted = std::move(rows);
    endResetModel();
}

const QList<Row> &ReceivablesModel::listed() const
{
    return m_pages ? m_pages->rows() : m_sorted;
}

QList<Row> ReceivablesModel::everyRow()
{
    if (!m_pages)
        return m_sorted;
    if (m_pages->complete())
        return m_pages->rows();
    Receivables::Pages every = *m_pages;
    every.readAll();
    return every.rows();
}

void ReceivablesModel::listAtGap(const std::function<void(Receivables::Pages &)> &read)
{
    const int at = gapRow();
    if (at < 0)
        return;
    // Read into a copy, so the list says which rows come before they are there.
    Receivables::Pages next = *m_pages;
    read(next);
    const int added = int(next.rows().size() - m_pages->rows().size());
    if (added == 0) {
        *m_pages = std::move(next);
        return;
    }
    beginInsertRows({}, at, at + added - 1);
    *m_pages = std::move(next);
    endInsertRows();
}

void ReceivablesModel::listEveryRow()
{
    listAtGap([](Receivables::Pages &pages) { pages.readAll(); });
}

void ReceivablesModel::listLastRows()
{
    if (m_pages && !m_pages->endRead())
        listAtGap([](Receivables::Pages &pages) { pages.readLast(); });
}

void ReceivablesModel::listAfterGap()
{
    listAtGap([](Receivables::Pages &pages) { pages.readMore(); });
}

void ReceivablesModel::listBeforeGap()
{
    listAtGap([](Receivables::Pages &pages) { pages.readBeforeTail(); });
}

QList<Row> ReceivablesModel::readEveryRow() const
{
    // One pass over every unpaid row, quicker than page after page.
    QList<Row> rows;
    for (const Row &row : Receivables::unpaidInvoices(*m_context, m_today).rows) {
        if (Receivables::matchesSearch(row, m_search))
            rows.append(row);
    }
    return rows;
}

bool ReceivablesModel::canFetchMore(const QModelIndex &parent) const
{
    // Once the end is read, the rows before it are read as the list comes near them.
    return !parent.isValid() && m_pages && !m_pages->endRead();
}

void ReceivablesModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    try {
        listAfterGap();
    } catch (const DbError &error) {
        if (m_onError)
            m_onError(error);
    }
}

QString ReceivablesModel::invoiceText(const Row &row)
{
    if (row.noticeNumber == 0 || row.noticeNumber == row.invoiceNumber)
        return QString::number(row.invoiceNumber);
    return tr("%1 (notice %2)").arg(row.invoiceNumber).arg(row.noticeNumber);
}

QString ReceivablesModel::cellText(const Row &row, int column, const QLocale &locale)
{
    switch (column) {
    case Customer: return row.customer;
    case Invoice: return invoiceText(row);
    case Date: return DateText::shortDate(row.date, locale);
    case DueDate: return DateText::shortDate(row.dueDate, locale);
    case Total: return Money::currencyText(row.total, locale);
    case Paid: return Money::currencyText(row.paid, locale);
    case Balance: return Money::currencyText(row.balance, locale);
    case DaysOverdue: return row.daysOverdue > 0 ? locale.toString(row.daysOverdue) : QString();
    case Age: return row.isCredit() ? tr("Credit") : Receivables::bucketCaption(row.bucket);
    default: return {};
    }
}

bool ReceivablesModel::isRightAligned(int column)
{
    return column != Customer && column != Invoice && column != Age;
}

int ReceivablesModel::columnWidth(int column)
{
    static constexpr int widths[ColumnCount] = {200, 120, 85, 85, 95, 95, 95, 90, 95};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

int ReceivablesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(listed().size());
}

int ReceivablesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReceivablesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((isRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role == Qt::DisplayRole)
        return cellText(listed().at(index.row()), index.column(), m_locale);
    return {};
}

QVariant ReceivablesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[ColumnCount] = {
        QT_TR_NOOP("Customer"), QT_TR_NOOP("Invoice"), QT_TR_NOOP("Date"),
        QT_TR_NOOP("Due Date"), QT_TR_NOOP("Total"),   QT_TR_NOOP("Paid"),
        QT_TR_NOOP("Balance"),  QT_TR_NOOP("Days Overdue"), QT_TR_NOOP("Age")};
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return tr(captions[section]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((isRightAligned(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}
