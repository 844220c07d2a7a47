#include "DocumentEditor.h"

#include "TfrmInvoicePriceItemEdit.h"
#include "app/AppContext.h"

DocumentEditor::DocumentEditor(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_session(context)
    , m_commands(this)
{
    setModal(true);
    connect(&m_session, &EditingSession::changed, this, [this] {
        if (m_open)
            showDocument();
    });
}

void DocumentEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_open) {
        m_open = true;
        opened();
    }
}

void DocumentEditor::done(int result)
{
    // Every way of closing passes here: Close, the close box and Escape.
    if (!m_session.mayClose())
        return;
    rememberState();
    QDialog::done(result);
}

void DocumentEditor::rememberState()
{
    m_context.preferences[AppPreferences::FrmInvoiceMaximized] = isMaximized();
}

void DocumentEditor::editLine(int row)
{
    if (row < 0 || row >= m_session.document().lines.rowCount())
        return;
    m_context.selectedLineIndex = row;
    edit<TfrmInvoicePriceItemEdit>();
}
