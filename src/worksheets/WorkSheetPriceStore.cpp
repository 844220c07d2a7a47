#include "WorkSheetPriceStore.h"

#include "data/DataContext.h"
#include "data/Database.h"

WorkSheetPriceStore::WorkSheetPriceStore(const DataContext &context)
    : m_context(context)
{
}

QList<WorkSheetPriceItem> WorkSheetPriceStore::list(std::optional<int> documentNumber) const
{
    const auto db = m_context.openDatabase();
    QList<WorkSheetPriceItem> items = readCompanyPrices(*db);
    if (!documentNumber)
        return items;

    Statement saved = db->prepare(QStringLiteral("SELECT intPrcItemNumID, dbLbrPrc, dbMatPrc FROM tblSavedPrices "
                                                 "WHERE intPrcItemInvNum = ?"));
    saved.bind(1, *documentNumber);
    while (saved.step()) {
        const int id = saved.intAt(0);
        for (WorkSheetPriceItem &item : items) {
            if (item.intPrcItemNumID == id) {
                item.dbLbrPrc = saved.doubleAt(1);
                item.dbMatPrc = saved.doubleAt(2);
            }
        }
    }
    return items;
}

void WorkSheetPriceStore::saveCompanyPrice(int id, double labor, double material)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    updateCompanyPrice(*db, id, labor, material);
    tx.commit();
}

void WorkSheetPriceStore::saveCompanyPrice(const WorkSheetPriceItem &item)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    RowVersions::expect(*db, QStringLiteral("tblPrices"), QStringLiteral("intPrcItemNumID"), item.intPrcItemNumID,
                        item.intRowVersion, QStringLiteral("The price of \"%1\"").arg(item.strPrcItemName));
    updateCompanyPrice(*db, item.intPrcItemNumID, item.dbLbrPrc, item.dbMatPrc);
    tx.commit();
}

RowVersions::SaveOutcome WorkSheetPriceStore::saveCompanyPriceOrAsk(WorkSheetPriceItem &item, Prompts &prompts)
{
    RowVersions::Access<WorkSheetPriceItem> access;
    access.save = [this](const WorkSheetPriceItem &mine) { saveCompanyPrice(mine); };
    access.findTheirs = [this, id = item.intPrcItemNumID]() -> std::optional<WorkSheetPriceItem> {
        const auto db = m_context.openDatabase();
        for (const WorkSheetPriceItem &stored : readCompanyPrices(*db)) {
            if (stored.intPrcItemNumID == id)
                return stored;
        }
        return std::nullopt;
    };
    access.lost = [this](const WorkSheetPriceItem &mine, const WorkSheetPriceItem &theirs) {
        QStringList lost;
        if (mine.dbLbrPrc != theirs.dbLbrPrc)
            lost << QStringLiteral("Labor price: %1").arg(m_context.locale.toString(theirs.dbLbrPrc));
        if (mine.dbMatPrc != theirs.dbMatPrc)
            lost << QStringLiteral("Material price: %1").arg(m_context.locale.toString(theirs.dbMatPrc));
        return lost;
    };
    // The 27 items are fixed; one gone is reported, not stored again from here.
    access.adoptVersion = [](WorkSheetPriceItem &mine, const WorkSheetPriceItem &theirs) {
        mine.intRowVersion = theirs.intRowVersion;
    };
    return RowVersions::saveOrAsk(prompts, QStringLiteral("The price of \"%1\"").arg(item.strPrcItemName), item,
                                  access);
}

void WorkSheetPriceStore::updateCompanyPrice(Database &db, int id, double labor, double material)
{
    Statement update = db.prepare(QStringLiteral(
        "UPDATE tblPrices SET dbLbrPrc = ?, dbMatPrc = ?, intRowVersion = intRowVersion + 1 WHERE intPrcItemNumID = ?"));
    update.bindAll(labor, material, id);
    update.run();
}

QList<WorkSheetPriceItem> WorkSheetPriceStore::readCompanyPrices(Database &db)
{
    QList<WorkSheetPriceItem> items;
    Statement q = db.prepare(QStringLiteral("SELECT intPrcItemNumID, strPrcItemName, dbLbrPrc, dbMatPrc, intRowVersion "
                                            "FROM tblPrices ORDER BY intPrcItemNumID"));
    while (q.step())
        items.append({q.intAt(0), q.textAt(1), q.doubleAt(2), q.doubleAt(3), q.int64At(4)});
    return items;
}

void WorkSheetPriceStore::saveDocumentPrice(int documentNumber, int id, double labor, double material)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    Statement update = db->prepare(QStringLiteral(
        "UPDATE tblSavedPrices SET dbLbrPrc = ?, dbMatPrc = ? WHERE intPrcItemNumID = ? AND intPrcItemInvNum = ?"));
    update.bindAll(labor, material, id, documentNumber);
    update.run();
    if (db->changes() == 0) {
        Statement insert = db->prepare(QStringLiteral(
            "INSERT INTO tblSavedPrices(intPrcItemNumID,intPrcItemInvNum,dbLbrPrc,dbMatPrc)VALUES(?,?,?,?)"));
        insert.bindAll(id, documentNumber, labor, material);
        insert.run();
    }
    tx.commit();
}
