#include "ActivityListModel.h"

#include "PlannerDates.h"
#include "data/DateText.h"

#include <QFont>

ActivityListModel::ActivityListModel(const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent)
    , m_locale(locale)
{
}

void ActivityListModel::setRows(QList<PlannerRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

bool ActivityListModel::isShown(int column)
{
    return column == Date || column == ActivityStart || column == ActivityEnd || column == Activity;
}

int ActivityListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ActivityListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ActivityListModel::text(const PlannerRow &row, int column) const
{
    switch (column) {
    case StartDateTime:
        return row.strActStartDateTime;
    case EndDateTime:
        return row.strActEndDateTime;
    case Date:
        return DateText::shortDate(row.day, m_locale);
    case ActivityStart:
        // A text that does not read is shown as written rather than as the midnight
        // that stands in for it.
        return row.timesRead ? PlannerDates::listText(row.start, m_locale) : row.strActStartDateTime;
    case ActivityEnd:
        return row.timesRead ? PlannerDates::listText(row.end, m_locale) : row.strActEndDateTime;
    case Activity:
        return row.strActivity;
    case ActNotes:
        return row.strActNote;
    case ActMasterID:
        return QString::number(row.intActMasterID);
    case ActDayOfYear:
        return QString::number(row.intActDayOfYear);
    case ActYear:
        return QString::number(row.intActYear);
    case Priority:
        return row.strActPriority;
    case ActID:
        return QString::number(row.intActID);
    default:
        return {};
    }
}

QVariant ActivityListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const PlannerRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(row, index.column());
    case Qt::FontRole:
        if (index.column() == Activity && row.isHighPriority()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        return index.column() == Activity && !row.strActNote.isEmpty() ? QVariant(row.strActNote) : QVariant();
    default:
        return {};
    }
}

QVariant ActivityListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const captions[ColumnCount] = {
        "StartDateTime", "EndDateTime", "Date",        "Activity Start", "Activity End", "Activity",
        "ActNotes",      "ActMasterID", "ActDayOfYear", "ActYear",       "Priority",     "ActID",
    };
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section]) : QVariant();
}
