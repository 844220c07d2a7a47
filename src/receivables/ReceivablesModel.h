#pragma once

#include "invoice/ReceivablesQuery.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <functional>
#include <memory>
#include <optional>

class DataContext;
class DbError;

/// The unpaid invoices as the receivables window lists them: the rows a search
/// leaves, in the order the user sorted them. By due date, number, date, days overdue,
/// age, or customer (unless the search is for a number), they are read a page at a
/// time as the list scrolls to them; by an amount, every row the search leaves is read. End reads the last page first, backwards; the rows between are read from
/// either side as the list comes near them. Cells show the user's dates and currency; sorting compares the values
/// underneath (dates as dates, amounts as numbers).
class ReceivablesModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Customer, Invoice, Date, DueDate, Total, Paid, Balance, DaysOverdue, Age, ColumnCount };
    using ErrorHandler = std::function<void(const DbError &)>;

    explicit ReceivablesModel(QObject *parent = nullptr);

    /// Where the rows come from, aged as of \a today; \a onError hears of reads the
    /// list asks for itself (scrolling, sorting). Reads nothing yet.
    void setSource(Receivables::Pages::Connect connect, DataContext *context, QDate today, const QLocale &locale,
                   ErrorHandler onError);
    /// Reads the rows again, keeping the search, the sort and as many rows from the
    /// start and from the end as were read. Throws DbError; the list then keeps what it
    /// showed.
    void reload();
    /// Keeps only the rows Receivables::matchesSearch keeps. Throws DbError.
    void setSearch(const QString &text);
    [[nodiscard]] QString search() const { return m_search; }

    /// The rows listed so far, in list order.
    [[nodiscard]] const QList<Receivables::Row> &listed() const;
    [[nodiscard]] const Receivables::Row &row(int index) const { return listed().at(index); }
    /// Every row the search leaves, in list order, read to the end. Throws DbError.
    [[nodiscard]] QList<Receivables::Row> everyRow();
    /// Lists every row the search leaves. Throws DbError.
    void listEveryRow();
    /// Lists the last rows, so End reaches the last one. Throws DbError.
    void listLastRows();
    /// Where rows not read yet lie (before this row); -1 when none do.
    [[nodiscard]] int gapRow() const { return m_pages ? m_pages->gapRow() : -1; }
    /// Lists the page after the rows read from the start. Throws DbError.
    void listAfterGap();
    /// Lists the page before the rows read from the end. Throws DbError.
    void listBeforeGap();

    /// "512", or "512 (notice 530)" when a past-due notice was made for it.
    [[nodiscard]] static QString invoiceText(const Receivables::Row &row);
    [[nodiscard]] static QString cellText(const Receivables::Row &row, int column, const QLocale &locale);
    [[nodiscard]] static bool isRightAligned(int column);
    [[nodiscard]] static int columnWidth(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    /// The order the engine lists in, when it lists as the list shows.
    [[nodiscard]] std::optional<Receivables::Pages::Order> pagedOrder() const;
    [[nodiscard]] QList<Receivables::Row> readEveryRow() const;
    /// Lists anew, reading \a headRows from the start and \a tailRows from the end;
    /// throws DbError before anything changed.
    void relist(int headRows = 0, int tailRows = 0);
    /// Lists the rows \a read adds at the gap. Throws DbError before anything changed.
    void listAtGap(const std::function<void(Receivables::Pages &)> &read);

    Receivables::Pages::Connect m_connect;
    DataContext *m_context = nullptr;
    QDate m_today;
    ErrorHandler m_onError;
    std::unique_ptr<Receivables::Pages> m_pages;
    QList<Receivables::Row> m_sorted; // every row, in an order the engine does not list in
    QLocale m_locale;
    QString m_search;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
