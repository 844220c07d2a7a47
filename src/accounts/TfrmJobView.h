#pragma once

#include "TableListModel.h"
#include "invoice/JobSummary.h"

#include <QDialog>
#include <memory>

class AppContext;
class QFormLayout;
class QLabel;
class QTableView;
struct TableOutput;

/// One job: the documents that came from the same estimate with their totals,
/// deposits and payments, and what remains to be billed and to be paid. A document
/// opens in the editor from the list unless the view was opened from an editor.
class TfrmJobView final : public QDialog
{
    Q_OBJECT
public:
    TfrmJobView(AppContext &context, int number, bool opensDocuments, QWidget *parent = nullptr);
    ~TfrmJobView() override;

    [[nodiscard]] const TableListModel &listModel() const { return m_model; }
    [[nodiscard]] const JobSummary::Job &job() const { return m_job; }

private:
    void pShowJob();
    /// Another PC or copy of the program committed: the job shows it, the user's place
    /// in its documents kept.
    void pShowChangesFromElsewhere();
    void showJob();
    void openDocument(const QModelIndex &index);
    [[nodiscard]] TablePrintout printout() const;

    AppContext &m_context;
    const int m_number;
    const bool m_opensDocuments;
    JobSummary::Job m_job;
    TableListModel m_model;
    std::unique_ptr<TableOutput> m_output;
    QLabel *m_lblCustomer = nullptr;
    QTableView *m_lstvwJob = nullptr;
    QList<QLabel *> m_summary;
    QFormLayout *m_summaryLayout = nullptr;
};
