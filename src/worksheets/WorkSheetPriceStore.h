#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "data/RowConflict.h"

class DataContext;
class Database;

/// One of the 27 fixed work-sheet prices.
struct WorkSheetPriceItem
{
    int intPrcItemNumID = 0;
    QString strPrcItemName;
    double dbLbrPrc = 0;
    double dbMatPrc = 0;
    /// The stored row's version when it was read; a save writes only over it.
    qint64 intRowVersion = 0;
};

/// The work-sheet price list (tblPrices) and the prices saved with each document
/// (tblSavedPrices). Each call is one operation; writes are one transaction each.
/// Throws DbError on any failure of the engine.
class WorkSheetPriceStore
{
public:
    explicit WorkSheetPriceStore(const DataContext &context);

    /// The company's items in stored order; with \a documentNumber, each item the
    /// document has saved prices for shows those instead.
    [[nodiscard]] QList<WorkSheetPriceItem> list(std::optional<int> documentNumber = std::nullopt) const;

    /// Changes an item's prices for every later new document.
    void saveCompanyPrice(int id, double labor, double material);
    /// The same for \a item, but only over the version it was read at: an item
    /// changed meanwhile by another copy throws RowConflict and is left as it is.
    void saveCompanyPrice(const WorkSheetPriceItem &item);
    /// Saves \a item, asking what to do when another copy changed it meanwhile
    /// (RowVersions::saveOrAsk). Throws DbError for other failures.
    RowVersions::SaveOutcome saveCompanyPriceOrAsk(WorkSheetPriceItem &item, Prompts &prompts);
    /// Changes an item's prices for document \a documentNumber only. An item the
    /// document has no saved row for gets one, so the change is never lost.
    void saveDocumentPrice(int documentNumber, int id, double labor, double material);

    /// The company price change on \a db inside the caller's transaction.
    static void updateCompanyPrice(Database &db, int id, double labor, double material);
    /// The company's items in stored order, read on \a db.
    [[nodiscard]] static QList<WorkSheetPriceItem> readCompanyPrices(Database &db);

private:
    const DataContext &m_context;
};
