#pragma once

#include <QDialog>

class AppContext;
class QPlainTextEdit;
class QToolButton;

/// Edits the current document's notes, which are printed on the document.
class TfrmInvoiceNotes final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInvoiceNotes(AppContext &context, QWidget *parent = nullptr);

private:
    void tlbtnOKClick();

    AppContext &m_context;
    QToolButton *m_tlbtnOK;
    QToolButton *m_tlbtnCancel;
    QPlainTextEdit *m_txtInvoiceNotes;
};
