#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

/// The named texts a report shows ("rvstrInvDate" and the like). A name never set
/// reads as empty text.
using ReportParameters = QHash<QString, QString>;

/// The rows a report prints, handed over under the name the report looks them up
/// by: named text columns, one value per column in every row.
struct RowFeed
{
    QString name;
    QStringList columns;
    QList<QStringList> rows;

    [[nodiscard]] int rowCount() const { return int(rows.size()); }
    /// The value of \a column in row \a row; empty text for a column the feed lacks.
    [[nodiscard]] QString value(int row, const QString &column) const
    {
        const qsizetype index = columns.indexOf(column);
        return index < 0 ? QString() : rows.at(row).value(index);
    }
};

/// What a list window hands the printing module before it prints: the texts its
/// report shows and its rows, as listed.
struct ListPrintout
{
    ReportParameters parameters;
    RowFeed rows;
};
