#include "MaintenanceListModel.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

namespace {

constexpr int kCountPauseMs = 150;

} // namespace

MaintenanceListModel::MaintenanceListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_countPause.setSingleShot(true);
    m_countPause.setInterval(kCountPauseMs);
    connect(&m_countPause, &QTimer::timeout, this, &MaintenanceListModel::countInBackground);
}

void MaintenanceListModel::setRows(std::shared_ptr<QueryWindow> listed, const QLocale &locale)
{
    beginResetModel();
    m_listed = std::move(listed);
    m_locale = locale;
    m_shown = m_listed ? m_listed->rowCount() : 0;
    endResetModel();
    if (!countKnown() && m_counter)
        m_countPause.start();
    else
        m_countPause.stop();
}

void MaintenanceListModel::countInBackground()
{
    if (countKnown())
        return;
    const QueryWindow::Counting counting = m_listed->counting();
    // The answer is taken only by the list it was asked for, on the window's thread.
    QPointer<MaintenanceListModel> model(this);
    std::weak_ptr<QueryWindow> askedFor = m_listed;
    QThread *thread = QThread::create([counter = m_counter, counting, model, askedFor] {
        int rows = -1;
        try {
            rows = counter(counting);
        } catch (const DbError &) {
            return; // the list stays as long as the rows read; scrolling reads on
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [model, askedFor, rows] {
            const std::shared_ptr<QueryWindow> listed = askedFor.lock();
            if (!model || !listed || listed != model->m_listed || listed->countKnown())
                return;
            listed->setCount(rows);
            model->showKnownRows();
        }, Qt::QueuedConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

void MaintenanceListModel::countNow()
{
    if (countKnown())
        return;
    m_listed->count();
    showKnownRows();
}

void MaintenanceListModel::showKnownRows()
{
    const int rows = m_listed ? m_listed->rowCount() : 0;
    if (rows > m_shown) {
        beginInsertRows({}, m_shown, rows - 1);
        m_shown = rows;
        endInsertRows();
    }
    if (countKnown())
        emit counted();
}

bool MaintenanceListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !countKnown();
}

void MaintenanceListModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || countKnown())
        return;
    try {
        m_listed->readMore();
    } catch (const DbError &) {
        return; // the next scroll asks again
    }
    showKnownRows();
}

MaintenanceRow MaintenanceListModel::row(int index) const
{
    return m_listed ? MaintenanceRow::fromTexts(m_listed->row(index), m_locale) : MaintenanceRow();
}

QString MaintenanceListModel::cellText(const MaintenanceRow &row, int column)
{
    switch (column) {
    case Number: return QString::number(row.intInvNumber);
    case InvoiceType: return row.strInvName;
    case Customer: return row.strCustFullName;
    case Company: return row.strCustCmpnyName;
    case Total: return row.strInvTotal;
    case Paid: return row.strPaidAmount;
    case Info: return row.info();
    default: return {};
    }
}

int MaintenanceListModel::columnWidth(int column)
{
    static constexpr int widths[ColumnCount] = {80, 125, 160, 160, 100, 100, 80};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

int MaintenanceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int MaintenanceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MaintenanceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && (index.column() == Total || index.column() == Paid))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    try {
        return cellText(row(index.row()), index.column());
    } catch (const DbError &) {
        // A row that cannot be read now (the file locked for long) shows empty; the
        // next search or action reads it again.
        return {};
    }
}

QVariant MaintenanceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[ColumnCount] = {"Number",  "Invoice Type", "Customer", "Company",
                                                      "Total",   "Paid",         "Info"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(captions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
