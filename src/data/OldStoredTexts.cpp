#include "OldStoredTexts.h"

#include "Database.h"

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

QList<Text> readAll(Database &db)
{
    QList<Text> texts;
    for (const Column &column : columns()) {
        if (!db.tableExists(column.table) || !db.columnExists(column.table, column.column))
            continue; // a layout of another edition
        // Quantities have long been written in C form, which every language reads alike;
        // only the others are worth reading (a million lines would cost a lot of time).
        const QString quantityInCForm = QStringLiteral(" AND %1 GLOB '*[^0-9.-]*'").arg(column.column);
        Statement read = db.prepare(QStringLiteral("SELECT rowid, %1, %2 FROM %3 WHERE %1 IS NOT NULL AND %1 <> ''%4 "
                                                   "ORDER BY rowid")
                                        .arg(column.column, column.rowName, column.table,
                                             column.kind == Kind::Quantity ? quantityInCForm : QString()));
        while (read.step())
            texts.append({&column, read.int64At(0), read.textAt(2), read.textAt(1)});
    }
    return texts;
}

} // namespace OldStoredTexts
