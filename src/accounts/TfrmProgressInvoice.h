#pragma once

#include "invoice/ProgressJobs.h"
#include "invoice/ProgressSession.h"

#include <QDialog>
#include <memory>

class AppContext;
class ProgressTableModel;
class QFormLayout;
class QLabel;
class QTableView;

/// One progress invoice of a job: the schedule with the percent or amount completed
/// to date typed per item, the bill's figures below it. Save makes the invoice;
/// Escape asks about figures typed and not saved.
class TfrmProgressInvoice final : public QDialog
{
    Q_OBJECT
public:
    TfrmProgressInvoice(AppContext &context, ProgressJobs::Book book, QWidget *parent = nullptr);
    ~TfrmProgressInvoice() override;

    [[nodiscard]] const ProgressSession &session() const { return m_session; }
    /// The invoice Save made; 0 until then.
    [[nodiscard]] int savedNumber() const { return m_savedNumber; }

    void reject() override;

private:
    /// True when the invoice was saved.
    bool save();
    void showFigures();

    AppContext &m_context;
    const ProgressJobs::Book m_book;
    ProgressSession m_session;
    std::unique_ptr<ProgressTableModel> m_model;
    QTableView *m_grdSchedule = nullptr;
    QLabel *m_lblRefusal = nullptr;
    QFormLayout *m_figures = nullptr;
    int m_savedNumber = 0;
};
