#include "ReceivablesModel.h"

#include "data/DateText.h"
#include "invoice/Money.h"

#include <algorithm>
#include <cstdio>

namespace {

using Receivables::Row;

/// \a number's decimal digits start with \a digits.
bool numberStartsWith(int number, const QString &digits)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", number);
    if (digits.size() > length)
        return false;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digits.at(i) != QLatin1Char(text[i]))
            return false;
    }
    return true;
}

bool matches(const Row &row, const QString &foldedCustomer, const QString &folded)
{
    if (folded.isEmpty())
        return true;
    return foldedCustomer.contains(folded) || numberStartsWith(row.invoiceNumber, folded)
        || (row.noticeNumber != 0 && numberStartsWith(row.noticeNumber, folded));
}

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

void ReceivablesModel::setRows(const QList<Row> &rows, const QLocale &locale)
{
    beginResetModel();
    m_all = rows;
    // Folded once here, not at every key typed into the search.
    m_foldedCustomers.clear();
    m_foldedCustomers.reserve(rows.size());
    for (const Row &row : rows)
        m_foldedCustomers.append(row.customer.toCaseFolded());
    m_locale = locale;
    relist();
    endResetModel();
}

void ReceivablesModel::setSearch(const QString &text)
{
    beginResetModel();
    m_search = text;
    relist();
    endResetModel();
}

void ReceivablesModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column;
    m_sortOrder = order;
    relist();
    endResetModel();
}

void ReceivablesModel::relist()
{
    const QString folded = m_search.trimmed().toCaseFolded();
    m_listed.clear();
    for (qsizetype i = 0; i < m_all.size(); ++i) {
        if (matches(m_all.at(i), m_foldedCustomers.at(i), folded))
            m_listed.append(m_all.at(i));
    }
    if (m_sortColumn < 0 || m_sortColumn >= ColumnCount)
        return;
    // The listing comes oldest due date first: sorted so already.
    if (m_sortColumn == DueDate && m_sortOrder == Qt::AscendingOrder)
        return;
    // Stable, so equal values keep the listing's order (oldest due date first).
    const int column = m_sortColumn;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_listed.begin(), m_listed.end(), [column, descending](const Row &a, const Row &b) {
        const int order = compareBy(a, b, column);
        return descending ? order > 0 : order < 0;
    });
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
    return parent.isValid() ? 0 : int(m_listed.size());
}

int ReceivablesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReceivablesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_listed.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((isRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role == Qt::DisplayRole)
        return cellText(m_listed.at(index.row()), index.column(), m_locale);
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
