#include "OldStoredTexts.h"

#include "Database.h"

#include <QHash>

namespace OldStoredTexts {

const QList<Column> &columns()
{
    static const QString document = QStringLiteral("'Document ' || intInvNumber");
    static const QString activity = QStringLiteral("'Activity ' || intActMasterID");
    static const QList<Column> all = {
        {QStringLiteral("tblInvHeader"), QStringLiteral("strInvDate"), document, Kind::Date, QStringLiteral("date")},
        {QStringLiteral("tblInvHeader"), QStringLiteral("strInvTotal"), document, Kind::Currency,
         QStringLiteral("total")},
        {QStringLiteral("tblInvData"), QStringLiteral("strExtraChargesLabor"), document, Kind::Decimal,
         QStringLiteral("extra charge for labor")},
        {QStringLiteral("tblInvData"), QStringLiteral("strExtraChargesMaterial"), document, Kind::Decimal,
         QStringLiteral("extra charge for material")},
        {QStringLiteral("tblInvData"), QStringLiteral("strPrcItmQuantity"), document, Kind::Quantity,
         QStringLiteral("quantity")},
        {QStringLiteral("tblRecurring"), QStringLiteral("strLastPrintedDate"), QStringLiteral("'Recurring invoices'"),
         Kind::Date, QStringLiteral("last printed")},
        {QStringLiteral("tblPlanner"), QStringLiteral("strActStartDateTime"), activity, Kind::DateTime,
         QStringLiteral("start")},
        {QStringLiteral("tblPlanner"), QStringLiteral("strActEndDateTime"), activity, Kind::DateTime,
         QStringLiteral("end"), QStringLiteral("strActStartDateTime")},
    };
    return all;
}

QString Column::key() const
{
    static const QHash<QString, QString> keys = {
        {QStringLiteral("tblInvHeader"), QStringLiteral("intInvDataHeaderID")},
        {QStringLiteral("tblInvData"), QStringLiteral("intInvDataID")},
        // Its one row has always been number 1.
        {QStringLiteral("tblRecurring"), QStringLiteral("intRecurringID")},
        {QStringLiteral("tblPlanner"), QStringLiteral("intActID")},
    };
    return keys.value(table);
}

QList<Text> readAll(Database &db)
{
    QList<Text> texts;
    for (const Column &column : columns()) {
        if (!db.tableExists(column.table) || !db.columnExists(column.table, column.column))
            continue; // a layout of another edition
        // Quantities have long been written in C form, which every language reads alike;
        // only the others are worth reading (a million lines would cost a lot of time).
        const QString quantityInCForm = QStringLiteral(" AND %1 GLOB '*[^0-9.-]*'").arg(column.column);
        Statement read = db.prepare(QStringLiteral("SELECT %5, %1, %2 FROM %3 WHERE %1 IS NOT NULL AND %1 <> ''%4 "
                                                   "ORDER BY %5")
                                        .arg(column.column, column.rowName, column.table,
                                             column.kind == Kind::Quantity ? quantityInCForm : QString(),
                                             column.key()));
        while (read.step())
            texts.append({&column, read.int64At(0), read.textAt(2), read.textAt(1)});
    }
    return texts;
}

} // namespace OldStoredTexts
