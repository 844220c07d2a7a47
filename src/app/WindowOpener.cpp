#include "WindowOpener.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "TfrmAbout.h"
#include "TfrmUpdate.h"
#include "accounts/TfrmCustomerStatement.h"
#include "accounts/TfrmJobView.h"
#include "company/TfrmCompanyInfo.h"
#include "company/TfrmTextEditor.h"
#include "customers/TfrmCustomer.h"
#include "data/DbError.h"
#include "editing/TfrmInvoiceLunvard.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "editing/TfrmInvoiceStored.h"
#include "invoice/DocumentStore.h"
#include "planner/TfrmActivityEdit.h"
#include "planner/TfrmPlanner.h"
#include "prices/TfrmPriceCorvalo.h"
#include "printing/TfrmManualInvoice.h"
#include "receivables/TfrmReceivables.h"
#include "report/TfrmReport.h"
#include "worksheets/TfrmInvoiceHeddrin.h"
#include "worksheets/TfrmPriceHeddrin.h"


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
    m_context.document.header.blnNewInvoice = newDocument;
    m_context.document.header.blnManualForm = false;
    try {
        DocumentStore(m_context).pLoadInvoice();
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    const Edition &edition = m_context.edition();
    if (!edition.storesDocuments())
        TfrmInvoiceLunvard(m_context, m_owner).exec();
    else if (edition.usesWorkSheets())
        TfrmInvoiceHeddrin(m_context, m_owner).exec();
    else
        TfrmInvoiceStored(m_context, m_owner).exec();
}

void WindowOpener::openInvoiceMaintenance()
{
    TfrmInvoiceMaintenance window(m_context, m_owner);
    window.exec();
}

void WindowOpener::openReceivables(QDate today)
{
    TfrmReceivables window(m_context, today, m_owner);
    window.exec();
}

void WindowOpener::openCustomerStatement(const std::optional<CustomerStatement::Customer> &customer)
{
    TfrmCustomerStatement window(m_context, customer, m_owner);
    window.exec();
}

void WindowOpener::openJobView(int number, bool opensDocuments)
{
    TfrmJobView window(m_context, number, opensDocuments, m_owner);
    window.exec();
}

void WindowOpener::openManualForms()
{
    m_context.document.header.blnNewInvoice = true;
    TfrmManualInvoice::open(m_context, m_owner);
}

void WindowOpener::openCustomers()
{
    if (!m_context.edition().keepsCustomerAndPriceLists()) {
        notAvailable(QStringLiteral("Customer entry"));
        return;
    }
    TfrmCustomer window(m_context, m_owner);
    window.exec();
}

void WindowOpener::openPriceItems()
{
    const Edition &edition = m_context.edition();
    if (!edition.keepsCustomerAndPriceLists()) {
        notAvailable(QStringLiteral("Price item entry"));
    } else if (edition.usesWorkSheets()) {
        TfrmPriceHeddrin window(m_context, m_owner);
        window.exec();
    } else {
        TfrmPriceCorvalo window(m_context, m_owner);
        window.exec();
    }
}

void WindowOpener::openReport()
{
    TfrmReport window(m_context, m_owner);
    window.exec();
}

void WindowOpener::openWriter(WriterMode mode)
{
    TfrmTextEditor::open(m_context, m_context.printModule, mode, m_owner);
}

void WindowOpener::openCompanyInfo()
{
    TfrmCompanyInfo::open(m_context, m_owner);
}

void WindowOpener::openPlanner()
{
    TfrmPlanner planner(m_context, m_owner);
    planner.exec();
}

bool WindowOpener::openActivityEditor(const TrecActivityEdit &activity)
{
    TfrmActivityEdit editor(m_context, activity, m_owner);
    editor.exec();
    return editor.changedDocument();
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
