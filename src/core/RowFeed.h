#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

/// The named texts a report shows ("rvstrInvDate" and the like). A name never set
/// reads as empty text.
using ReportParameters = QHash<QString, QString>;

/// Rows handed out as a report reaches them, for lists too long to copy first.
class RowSource
{
public:
    virtual ~RowSource() = default;
    [[nodiscard]] virtual int rowCount() const = 0;
    /// Rows \a first to \a first + \a count - 1 (fewer at the end), one value per column.
    [[nodiscard]] virtual QList<QStringList> rows(int first, int count) const = 0;
};

/// The rows a report prints, handed over under the name the report looks them up
/// by: named text columns, one value per column in every row. The rows are either
/// held (\a rows) or read as they are needed (\a source).
struct RowFeed
{
    QString name;
    QStringList columns;
    QList<QStringList> rows;
    std::shared_ptr<const RowSource> source = {};

    [[nodiscard]] int rowCount() const { return source ? source->rowCount() : int(rows.size()); }
    /// Rows \a first to \a first + \a count - 1 (fewer at the end).
    [[nodiscard]] QList<QStringList> rowsAt(int first, int count) const
    {
        return source ? source->rows(first, count) : rows.mid(first, count);
    }
    /// The value of \a column in row \a row; empty text for a column the feed lacks.
    [[nodiscard]] QString value(int row, const QString &column) const
    {
        const qsizetype index = columns.indexOf(column);
        if (index < 0)
            return {};
        return source ? rowsAt(row, 1).value(0).value(index) : rows.at(row).value(index);
    }
};

/// What a list window hands the printing module before it prints: the texts its
/// report shows and its rows, as listed.
struct ListPrintout
{
    ReportParameters parameters;
    RowFeed rows;
};
