#include "PriceStore.h"

#include "data/DataContext.h"
#include "data/BoolText.h"
#include "data/Database.h"
#include "data/TextSearch.h"
#include "invoice/InvoiceLines.h"

namespace {

bool storedFlag(const QString &text)
{
    // A damaged flag lists as not taxable rather than hiding the whole list.
    return BoolText::parse(text).value_or(false);
}

} // namespace

const QStringList &PriceSearches::names()
{
    static const QStringList names = {QStringLiteral("All Price Items"), QStringLiteral("Price Item Name"),
                                      QStringLiteral("Labor Taxable"), QStringLiteral("Material Taxable")};
    return names;
}

bool PriceSearches::takesText(PriceSearch kind)
{
    return kind == PriceSearch::PriceItemName;
}

PriceStore::PriceStore(const DataContext &context)
    : m_context(context)
{
}

QList<PriceItem> PriceStore::list(PriceSearch kind, const QString &text) const
{
    const auto db = m_context.openDatabase();
    QString sql = QStringLiteral("SELECT intPrcItemNumID, strPrcItemName, strLabTax, strMatTax, dbLbrPrc, dbMatPrc "
                                 "FROM tblPrices");
    switch (kind) {
    case PriceSearch::AllPriceItems:
        break;
    case PriceSearch::PriceItemName:
        sql += QStringLiteral(" WHERE fold(strPrcItemName) LIKE ? ESCAPE '\\'");
        break;
    case PriceSearch::LaborTaxable:
        sql += QStringLiteral(" WHERE CAST(strLabTax AS REAL) <> 0");
        break;
    case PriceSearch::MaterialTaxable:
        sql += QStringLiteral(" WHERE CAST(strMatTax AS REAL) <> 0");
        break;
    }
    sql += QStringLiteral(" ORDER BY intPrcItemNumID");

    Statement query = db->prepare(sql);
    if (PriceSearches::takesText(kind))
        query.bind(1, TextSearch::prefixPattern(text));
    QList<PriceItem> items;
    while (query.step()) {
        items.append({query.int64At(0), query.textAt(1), storedFlag(query.textAt(2)), storedFlag(query.textAt(3)),
                      query.doubleAt(4), query.doubleAt(5)});
    }
    return items;
}

qint64 PriceStore::save(const PriceItem &item)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    // New, or deleted meanwhile by another copy of the program: stored afresh.
    const qint64 id = item.intPrcItemNumID > 0 && updateRow(*db, item) ? item.intPrcItemNumID : insertRow(*db, item);
    tx.commit();
    return id;
}

qint64 PriceStore::insertRow(Database &db, const PriceItem &item)
{
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblPrices(strPrcItemName,strLabTax,strMatTax,dbLbrPrc,dbMatPrc)VALUES(?,?,?,?,?)"));
    insert.bindAll(item.strPrcItemName, item.strLabTax, item.strMatTax, item.dbLbrPrc, item.dbMatPrc);
    insert.run();
    return db.lastInsertRowId();
}

bool PriceStore::updateRow(Database &db, const PriceItem &item)
{
    Statement update = db.prepare(QStringLiteral(
        "UPDATE tblPrices SET strPrcItemName = ?,strLabTax = ?,strMatTax = ?,dbLbrPrc = ?,dbMatPrc = ? "
        "WHERE intPrcItemNumID = ?"));
    update.bindAll(item.strPrcItemName, item.strLabTax, item.strMatTax, item.dbLbrPrc, item.dbMatPrc,
                   item.intPrcItemNumID);
    update.run();
    return db.changes() > 0;
}

QList<PriceItem> PriceStore::readAll(Database &db)
{
    Statement query = db.prepare(QStringLiteral("SELECT intPrcItemNumID, strPrcItemName, strLabTax, strMatTax, "
                                                "dbLbrPrc, dbMatPrc FROM tblPrices ORDER BY intPrcItemNumID"));
    QList<PriceItem> items;
    while (query.step()) {
        items.append({query.int64At(0), query.textAt(1), storedFlag(query.textAt(2)), storedFlag(query.textAt(3)),
                      query.doubleAt(4), query.doubleAt(5)});
    }
    return items;
}

void PriceStore::remove(qint64 id)
{
    const auto db = m_context.openDatabase();
    {
        Transaction tx(*db);
        Statement erase = db->prepare(QStringLiteral("DELETE FROM tblPrices WHERE intPrcItemNumID = ?"));
        erase.bind(1, id);
        erase.run();
        tx.commit();
    }
    db->compact();
}

std::pair<bool, bool> PriceLines::defaultTaxable(int intTaxOn)
{
    switch (intTaxOn) {
    case 0:
        return {true, true};
    case 1:
        return {true, false};
    case 2:
        return {false, true};
    default:
        return {false, false};
    }
}

QString PriceLines::zeroPrice(const QLocale &locale)
{
    return QLatin1Char('0') + locale.decimalPoint() + QLatin1Char('0');
}
