#pragma once

#include "CustomerTotalsModel.h"
#include "ReceivablesModel.h"

#include <QDate>
#include <QDialog>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

class AppContext;
class QAction;
class QLabel;
class QLineEdit;
class QTableView;
class QToolBar;

/// Who owes what: every unpaid invoice with its age, the totals by age and by
/// customer, all following the search. Opens an invoice in the editor, makes
/// past-due notices for the selected ones, and prints what it lists.
class TfrmReceivables final : public QDialog
{
    Q_OBJECT
public:
    /// Ages the debts as of \a today.
    TfrmReceivables(AppContext &context, QDate today, QWidget *parent = nullptr);
    ~TfrmReceivables() override;

    [[nodiscard]] const ReceivablesModel &listModel() const { return m_model; }
    [[nodiscard]] const CustomerTotalsModel &customerModel() const { return m_customers; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolBar *createCommands();
    QWidget *createFooter();
    /// Reads the unpaid invoices again; the search and sort stay.
    void pRefresh();
    void pSearch(const QString &text);
    /// Another PC or copy of the program committed: the lists and figures show it, the
    /// user's place and selection in them kept.
    void pShowChangesFromElsewhere();
    void pShowListed();
    /// Lists the rows not read yet beside those in view, before they come into it.
    void pReadNearGap();
    /// Sums the figures of the search in the background; \a withUnreadable also reports
    /// the documents whose amount does not read.
    void pSumFigures(bool withUnreadable);
    /// Nothing: the figures are not known yet.
    void pShowFigures(const std::optional<Receivables::Figures> &figures);
    void pReportUnreadable(const QList<int> &documents);
    [[nodiscard]] QList<Receivables::Row> selectedRows() const;

    void pOpenInvoice(const QModelIndex &index);
    void pMakePastDueNotices();
    void pRecordPayment();
    void pShowStatement();
    enum class Output { Print, Preview, Pdf };
    void pPrintList(Output output);

    AppContext &m_context;
    const QDate m_today;
    ReceivablesModel m_model;
    CustomerTotalsModel m_customers;
    QAction *m_actClose = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actPdf = nullptr;
    QAction *m_actPastDue = nullptr;
    QAction *m_actRecordPayment = nullptr;
    QAction *m_actStatement = nullptr;
    QAction *m_actHelp = nullptr;
    QLineEdit *m_txtSearch = nullptr;
    QTableView *m_lstvwReceivables = nullptr;
    QTableView *m_lstvwCustomerTotals = nullptr;
    QList<QLabel *> m_bucketTotals;
    QLabel *m_lblCreditTotal = nullptr;
    QLabel *m_lblRetainageHeld = nullptr;
    QLabel *m_lblAllTotal = nullptr;
    QLabel *m_lblRowCount = nullptr;
    QTimer m_figuresPause;
    quint64 m_figuresAsked = 0;
    static constexpr quint64 kWindowClosed = ~quint64(0);
    // The latest asked, for the summing threads to see.
    std::shared_ptr<std::atomic<quint64>> m_latestFigures = std::make_shared<std::atomic<quint64>>(0);
    bool m_readingNearGap = false;
};
