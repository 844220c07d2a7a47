#include "DocumentEditor.h"

#include "TfrmInvoicePriceItemEdit.h"
#include "TfrmRecordPayment.h"
#include "context/AppContext.h"
#include "context/WindowOpening.h"
#include "core/Edition.h"
#include "invoice/DocumentKinds.h"
#include "PrintBusy.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"

#include <QToolBar>
#include <QVBoxLayout>

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
        WheelGuard::protect(this);
        Mnemonics::giveCommands(this);
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

QAction *DocumentEditor::addCloseCommand()
{
    return m_commands.add("actClose", tr("Close"), tr("Close"), Icons::Command::Close, [this] { close(); });
}

void DocumentEditor::addPrintCommands()
{
    EditingSession &s = m_session;
    m_actPrintPreview = m_commands.add("actPrintPreview", tr("Print Preview"), tr("Print Preview Invoice"),
                                       Icons::Command::PrintPreview, [&s] { s.print(true); });
    m_actPrint = m_commands.add("actPrint", tr("Print"), tr("Print Invoice"), Icons::Command::Print,
                                [this] {
                                    // A second click while the job is sent must not print (and number) again.
                                    const PrintBusy busy(this, m_context.saving());
                                    m_session.print(false);
                                }, QKeySequence::Print);
}

QAction *DocumentEditor::addPdfCommand()
{
    return m_commands.add("actPDF", tr("PDF"), tr("Save Invoice as a PDF"), Icons::Command::Pdf, [this] {
        const PrintBusy busy(this, m_context.saving());
        m_session.saveAsPdf();
    });
}

void DocumentEditor::addAccountCommands()
{
    m_actRecordPayment = m_commands.add("actRecordPayment", tr("Record Payment"),
                                        tr("Record a payment or a deposit received"), Icons::Command::Payment,
                                        [this] { TfrmRecordPayment::openForEditor(m_context, m_session, this); });
    m_actChangeOrder = m_commands.add("actChangeOrder", tr("Change Order for this job"),
                                      tr("Make a new Change Order for the job of this document"),
                                      Icons::Command::NewInvoice, [this] { m_session.startChangeOrder(); });
    // No command makes a kind the edition does not have.
    m_actChangeOrder->setVisible(m_context.edition().offersKind(DocumentKinds::kChangeOrder));
}

void DocumentEditor::showAccountCommands()
{
    m_actRecordPayment->setEnabled(m_session.canRecordPayment());
    m_actChangeOrder->setEnabled(m_session.canStartChangeOrder());
}

QAction *DocumentEditor::addHelpCommand()
{
    return m_commands.add("actHelp", tr("Help"), tr("Open Help"), Icons::Command::Help, [this] { m_context.pOpenHelp(); },
                   QKeySequence::HelpContents);
}

QAction *DocumentEditor::addJobCommand()
{
    QAction *job = m_commands.add("actJob", tr("Job"), tr("View the job: its documents, billed and paid"),
                                  Icons::Command::InvoiceMaintenance, [this] {
                                      if (m_context.windows && m_session.canDelete())
                                          m_context.windows->openJobView(m_session.header().intInvNumber, this, false);
                                  });
    const auto follow = [this, job] { job->setEnabled(m_context.windows && m_session.canDelete()); };
    follow();
    connect(&m_session, &EditingSession::changed, job, follow);
    return job;
}

void DocumentEditor::layOut(QLayout *body, QLayout *footer)
{
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(m_commands.makeToolBar());
    layout->addLayout(body, 1);
    layout->addLayout(footer);
    setWindowState(m_context.preferences[AppPreferences::FrmInvoiceMaximized] ? Qt::WindowMaximized
                                                                               : Qt::WindowNoState);
}

void DocumentEditor::editLine(int row)
{
    if (row < 0 || row >= m_session.document().lines.rowCount())
        return;
    m_context.selectedLineIndex = row;
    edit<TfrmInvoicePriceItemEdit>();
}
