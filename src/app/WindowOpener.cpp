#include "WindowOpener.h"

#include "AppContext.h"
#include "Prompts.h"
#include "TfrmAbout.h"
#include "TfrmUpdate.h"
#include "planner/TfrmActivityEdit.h"
#include "planner/TfrmPlanner.h"

#include <QScopeGuard>

namespace {

// Print kinds the printing module dispatches on.
enum PrintKind {
    PrintDocument = 1,
    PrintPriceList = 2,
    PrintCustomerList = 3,
    PrintSalesReport = 7,
    PrintInvoiceList = 8,
};

} // namespace

void showNotAvailable(Prompts &prompts, const QString &subject)
{
    prompts.ShowInformation(QStringLiteral("%1 is not available yet.").arg(subject));
}

WindowOpener::WindowOpener(AppContext &context, QWidget *owner)
    : m_context(context)
    , m_owner(owner)
{
}

void WindowOpener::notAvailable(const QString &window)
{
    showNotAvailable(m_context.prompts(), window);
}

void WindowOpener::openInvoiceEditor(bool newDocument)
{
    m_context.printKind = PrintDocument;
    m_context.editorOpen = true;
    // The customer and price windows leave pick mode however the editor ends.
    const auto closeEditor = qScopeGuard([this] { m_context.editorOpen = false; });
    m_context.document.header.blnNewInvoice = newDocument;
    m_context.document.header.blnManualForm = false;
    // The new or saved document is loaded here once documents can be loaded.
    notAvailable(QStringLiteral("The invoice editor"));
}

void WindowOpener::openInvoiceMaintenance()
{
    m_context.printKind = PrintInvoiceList;
    notAvailable(QStringLiteral("Invoice maintenance"));
}

void WindowOpener::openManualForms()
{
    m_context.printKind = PrintDocument;
    m_context.document.header.blnNewInvoice = true;
    // The new document is loaded here once documents can be loaded.
    m_context.document.header.blnManualForm = true;
    notAvailable(QStringLiteral("The manual invoice forms"));
}

void WindowOpener::openCustomers()
{
    if (!m_context.editorOpen)
        m_context.printKind = PrintCustomerList;
    m_context.documentChanged = false;
    notAvailable(QStringLiteral("Customer maintenance"));
}

void WindowOpener::openPriceItems()
{
    if (!m_context.editorOpen)
        m_context.printKind = PrintPriceList;
    m_context.documentChanged = false;
    notAvailable(QStringLiteral("The price sheet"));
}

void WindowOpener::openReport()
{
    m_context.documentChanged = false;
    m_context.printKind = PrintSalesReport;
    notAvailable(QStringLiteral("The sales and tax report"));
}

void WindowOpener::openWriter(WriterMode mode)
{
    m_context.documentChanged = false;
    m_context.writerMode = mode;
    notAvailable(mode == Contract ? QStringLiteral("The contract writer") : QStringLiteral("The warranty writer"));
}

void WindowOpener::openCompanyInfo()
{
    notAvailable(QStringLiteral("Company maintenance"));
}

void WindowOpener::openPlanner()
{
    TfrmPlanner planner(m_context, m_owner);
    planner.exec();
}

void WindowOpener::openActivityEditor(const TrecActivityEdit &activity)
{
    m_context.documentChanged = false;
    TfrmActivityEdit editor(m_context, activity, m_owner);
    editor.exec();
}

void WindowOpener::openUpdate()
{
    TfrmUpdate update(m_context, m_owner);
    update.exec();
}

void WindowOpener::openAbout()
{
    TfrmAbout about(m_context, m_owner);
    about.exec();
}

void WindowOpener::openInvoiceNotes()
{
    m_context.documentChanged = false;
    notAvailable(QStringLiteral("The invoice notes"));
}

void WindowOpener::openLineEdit()
{
    m_context.documentChanged = false;
    notAvailable(QStringLiteral("The line editor"));
}

void WindowOpener::openPaidAndDeposit()
{
    m_context.documentChanged = false;
    notAvailable(QStringLiteral("The paid and deposit dialog"));
}
