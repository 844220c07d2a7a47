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
    QString sql = QStringLiteral("SELECT intPrcItemNumID, strPrcItemName, strLabTax, strMatTax, dbLbrPrc, dbMatPrc, intRowVersion "
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
                      query.doubleAt(4), query.doubleAt(5), query.int64At(6)});
    }
    return items;
}

std::optional<PriceItem> PriceStore::find(qint64 id) const
{
    const auto db = m_context.openDatabase();
    Statement query = db->prepare(QStringLiteral("SELECT intPrcItemNumID, strPrcItemName, strLabTax, strMatTax, "
                                                 "dbLbrPrc, dbMatPrc, intRowVersion FROM tblPrices "
                                                 "WHERE intPrcItemNumID = ?"));
    query.bind(1, id);
    if (!query.step())
        return std::nullopt;
    return PriceItem{query.int64At(0), query.textAt(1), storedFlag(query.textAt(2)), storedFlag(query.textAt(3)),
                     query.doubleAt(4), query.doubleAt(5), query.int64At(6)};
}

qint64 PriceStore::save(const PriceItem &item)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    qint64 id = item.intPrcItemNumID;
    if (id > 0) {
        RowVersions::expect(*db, QStringLiteral("tblPrices"), QStringLiteral("intPrcItemNumID"), id,
                            item.intRowVersion, QStringLiteral("The price item \"%1\"").arg(item.strPrcItemName));
        (void)updateRow(*db, item);
    } else {
        id = insertRow(*db, item);
    }
    tx.commit();
    return id;
}

RowVersions::SaveOutcome PriceStore::saveOrAsk(PriceItem &item, Prompts &prompts)
{
    RowVersions::Access<PriceItem> access;
    access.save = [this, &item](const PriceItem &mine) { item.intPrcItemNumID = save(mine); };
    access.findTheirs = [this, id = item.intPrcItemNumID] { return find(id); };
    access.lost = [this](const PriceItem &mine, const PriceItem &theirs) {
        QStringList lost;
        const QLocale &locale = m_context.locale;
        if (mine.strPrcItemName != theirs.strPrcItemName)
            lost << QStringLiteral("Description: %1").arg(theirs.strPrcItemName);
        if (mine.dbLbrPrc != theirs.dbLbrPrc)
            lost << QStringLiteral("Labor price: %1").arg(locale.toString(theirs.dbLbrPrc));
        if (mine.dbMatPrc != theirs.dbMatPrc)
            lost << QStringLiteral("Material price: %1").arg(locale.toString(theirs.dbMatPrc));
        if (mine.strLabTax != theirs.strLabTax)
            lost << QStringLiteral("Labor taxable: %1").arg(theirs.strLabTax ? "Yes" : "No");
        if (mine.strMatTax != theirs.strMatTax)
            lost << QStringLiteral("Material taxable: %1").arg(theirs.strMatTax ? "Yes" : "No");
        return lost;
    };
    access.makeNew = [](PriceItem &mine) { mine.intPrcItemNumID = 0; };
    access.adoptVersion = [](PriceItem &mine, const PriceItem &theirs) { mine.intRowVersion = theirs.intRowVersion; };
    return RowVersions::saveOrAsk(prompts, QStringLiteral("The price item \"%1\"").arg(item.strPrcItemName), item,
                                  access);
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
        "UPDATE tblPrices SET strPrcItemName = ?,strLabTax = ?,strMatTax = ?,dbLbrPrc = ?,dbMatPrc = ?,"
        "intRowVersion = intRowVersion + 1 WHERE intPrcItemNumID = ?"));
    update.bindAll(item.strPrcItemName, item.strLabTax, item.strMatTax, item.dbLbrPrc, item.dbMatPrc,
                   item.intPrcItemNumID);
    update.run();
    return db.changes() > 0;
}

QList<PriceItem> PriceStore::readAll(Database &db)
{
    Statement query = db.prepare(QStringLiteral("SELECT intPrcItemNumID, strPrcItemName, strLabTax, strMatTax, "
                                                "dbLbrPrc, dbMatPrc, intRowVersion FROM tblPrices ORDER BY intPrcItemNumID"));
    QList<PriceItem> items;
    while (query.step()) {
        items.append({query.int64At(0), query.textAt(1), storedFlag(query.textAt(2)), storedFlag(query.textAt(3)),
                      query.doubleAt(4), query.doubleAt(5), query.int64At(6)});
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
