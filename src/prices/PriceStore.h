#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

#include "data/RowConflict.h"

class DataContext;
class Database;

/// One tblPrices row (the layout with taxable flags).
struct PriceItem
{
    /// 0 for an item not stored yet.
    qint64 intPrcItemNumID = 0;
    QString strPrcItemName;
    bool strLabTax = false;
    bool strMatTax = false;
    double dbLbrPrc = 0;
    double dbMatPrc = 0;
    /// The stored row's version when it was read; a save writes only over it.
    qint64 intRowVersion = 0;

    bool operator==(const PriceItem &) const = default;
};

/// The ways the price list can be searched, in the order the window offers them.
enum class PriceSearch { AllPriceItems, PriceItemName, LaborTaxable, MaterialTaxable };

namespace PriceSearches {
/// "All Price Items", "Price Item Name", "Labor Taxable", "Material Taxable".
[[nodiscard]] const QStringList &names();
[[nodiscard]] bool takesText(PriceSearch kind);
} // namespace PriceSearches

/// Reads and writes tblPrices. Each call is one operation on its own connection;
/// every write is one transaction. Throws DbError on any failure of the engine.
class PriceStore
{
public:
    explicit PriceStore(const DataContext &context);

    /// The items \a kind selects, in storage order; the name search keeps the items
    /// whose description begins with \a text in any letter case.
    [[nodiscard]] QList<PriceItem> list(PriceSearch kind, const QString &text = {}) const;
    /// The stored item \a id, or nothing when there is none.
    [[nodiscard]] std::optional<PriceItem> find(qint64 id) const;
    /// Stores \a item: inserted when its id is 0, updated otherwise, but only over the
    /// version it was read at; an item changed or deleted meanwhile by another copy
    /// throws RowConflict and is left as it is. Returns the id it is stored under.
    qint64 save(const PriceItem &item);
    /// Saves \a item, asking what to do when another copy changed or deleted it
    /// meanwhile (RowVersions::saveOrAsk). Throws DbError for other failures.
    RowVersions::SaveOutcome saveOrAsk(PriceItem &item, Prompts &prompts);
    /// Deletes item \a id and gives the freed space back. Document lines are copies
    /// and stay as they are.
    void remove(qint64 id);

    /// The row-level writes and reads, for callers that group many of them into one
    /// transaction of their own (an import). Throw DbError.
    static qint64 insertRow(Database &db, const PriceItem &item);
    /// False when the row of \a item's id is gone.
    static bool updateRow(Database &db, const PriceItem &item);
    [[nodiscard]] static QList<PriceItem> readAll(Database &db);

private:
    const DataContext &m_context;
};

namespace PriceLines {

/// The taxable boxes a new item starts with for the company's "Tax On" choice:
/// 0 labor and material, 1 labor, 2 material, anything else neither.
[[nodiscard]] std::pair<bool, bool> defaultTaxable(int intTaxOn);

/// The text an empty price field stands for: zero with one decimal, in \a locale.
[[nodiscard]] QString zeroPrice(const QLocale &locale);

} // namespace PriceLines
