#pragma once

#include "data/QueryWindow.h"
#include "core/RowFeed.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>

class DataContext;
class Edition;

/// What a click in the maintenance list does to the clicked document. The values are
/// the entries' positions in the full list; edition 3 leaves some out.
enum class MaintenanceType {
    ViewAll = 1,
    ViewUnpaid,
    EstimateToWorkOrder,
    EstimateOrWorkOrderToInvoice,
    ChangeOrderToInvoice,
    InvoiceToCredit,
    PastDueNotice,
    MarkPaidInFull,
    Delete,
    AddRecurring,
    RemoveRecurring,
    ViewRecurring,
};

/// One saved document as the maintenance list shows it.
struct MaintenanceRow
{
    int intInvNumber = 0;
    QString strInvName;
    QString strCustFullName;
    QString strCustCmpnyName;
    /// The stored balance as shown, in the user's currency format.
    QString strInvTotal;
    QString strPaidInFull;
    QString strRecurring;
    /// What was received (paid, or deposits received) as shown, in the user's currency format.
    QString strPaidAmount = {};

    /// "Paid", else "Recurring", else empty.
    [[nodiscard]] QString info() const;
    /// Kind and number, as the questions name the document ("Invoice 512").
    [[nodiscard]] QString name() const;

    /// The row from the texts of the listing statement's columns; the stored total
    /// is shown in \a locale's currency format.
    [[nodiscard]] static MaintenanceRow fromTexts(const QStringList &texts, const QLocale &locale);
};

/// The maintenance types, their search items, hints and questions.
namespace MaintenanceTypes {

/// The types the edition offers, in list order.
[[nodiscard]] QList<MaintenanceType> offered(const Edition &edition);
[[nodiscard]] QString entry(MaintenanceType type);
[[nodiscard]] QString listHint(MaintenanceType type);
/// The type's own items, then (types 1 and 9) the edition's kinds, then the text searches.
[[nodiscard]] QStringList searchItems(MaintenanceType type, const QStringList &invoiceTypes);
/// True for "Invoice Number", "Customer Last Name" and "Customer Company Name".
[[nodiscard]] bool isTextSearch(const QString &searchItem);
/// The Yes/No/Cancel question asked before the type acts; empty for the types that
/// only open the editor.
[[nodiscard]] QString question(MaintenanceType type, const QString &name);
/// Whether the type's act takes something away, so its question defaults to No.
[[nodiscard]] bool destroys(MaintenanceType type);

} // namespace MaintenanceTypes

/// Finds the saved documents a maintenance type and search item list. The typed text
/// is data: it is bound, never spliced, and "%", "_" and quotes match only themselves.
class MaintenanceQuery
{
public:
    explicit MaintenanceQuery(const DataContext &context);

    /// Every listed row at once, in list order.
    [[nodiscard]] QList<MaintenanceRow> run(MaintenanceType type, const QString &searchItem,
                                            const QString &text) const;
    /// The listed rows, read as they are reached; counted at once unless \a when says
    /// later. Throws DbError when the statement fails.
    [[nodiscard]] std::shared_ptr<QueryWindow> open(MaintenanceType type, const QString &searchItem,
                                                    const QString &text,
                                                    QueryWindow::Count when = QueryWindow::Count::First) const;
    /// The invoice list report's rows for the same search: exactly what the list shows.
    [[nodiscard]] RowFeed printFeed(MaintenanceType type, const QString &searchItem, const QString &text) const;

    /// The statement run() prepares, with its bound values in order; public for the
    /// benchmark, which times the same statement bare.
    struct SqlText
    {
        QString sql;
        QStringList values;
    };
    [[nodiscard]] static SqlText build(MaintenanceType type, const QString &searchItem, const QString &text);
    [[nodiscard]] static QueryWindow::Query query(MaintenanceType type, const QString &searchItem,
                                                  const QString &text);

private:
    [[nodiscard]] QueryWindow::Connect connect() const;

    const DataContext &m_context;
};
