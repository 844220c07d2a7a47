#pragma once

#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class QPlainTextEdit;
class QPushButton;

/// Edits the current document's notes, which are printed on the document.
class TfrmInvoiceNotes final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmInvoiceNotes(AppContext &context, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tlbtnOKClick();

    AppContext &m_context;
    QPushButton *m_tlbtnOK;
    QPushButton *m_tlbtnCancel;
    QPlainTextEdit *m_txtInvoiceNotes;
};
