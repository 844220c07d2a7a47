#include "DocumentOutput.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "invoice/DocumentStore.h"
#include "printing/PrintJobs.h"
#include "core/PrintModule.h"

#include <QScopedValueRollback>

namespace {

/// A document is being sent to the printer or a file. Events delivered meanwhile (a
/// second click, a shortcut pressed twice) must not start a second job: it would
/// print again and, where printing numbers the document, use a second number.
bool s_sending = false;

} // namespace

namespace DocumentOutput {

bool pPrintDocument(AppContext &context, Target target)
{
    if (s_sending)
        return false;
    const QScopedValueRollback sending(s_sending, true);
    if (!context.printModule) {
        context.prompts().ShowInformation(QStringLiteral("Printing is not available yet."));
        return false;
    }
    const PrintRequest request = PrintRequest::of(PrintKind::CurrentDocument);
    const bool numberedByPrinting = !context.edition().storesDocuments();
    TrecInvHeader &header = context.document.header;
    if (numberedByPrinting) {
        // Taken before printing, so another window printing at the same moment gets the next one.
        try {
            header.intInvNumber = DocumentStore(context).pTakeInvoiceNumber();
        } catch (const DbError &error) {
            context.prompts().showError(QStringLiteral("The document was not printed: its number could not be "
                                                       "taken.\n")
                                        + error.message());
            return false;
        }
    }
    bool printed = true;
    if (target == Target::Printer)
        printed = context.printModule->pPrint(request);
    else
        context.printModule->pPrintPreview(request);
    if (!printed && numberedByPrinting) {
        try {
            (void)DocumentStore(context).pGiveBackInvoiceNumber(header.intInvNumber);
        } catch (const DbError &) {
            // Then the number stays used: a gap in the numbers, never a number printed twice.
        }
    }
    return printed;
}

void pSaveDocumentAsPdf(AppContext &context)
{
    if (s_sending)
        return;
    const QScopedValueRollback sending(s_sending, true);
    if (!context.printModule) {
        context.prompts().ShowInformation(QStringLiteral("Printing is not available yet."));
        return;
    }
    (void)context.printModule->pSaveAsPDF();
}

bool pDeleteDocument(AppContext &context)
{
    const TrecInvHeader &header = context.document.header;
    const QString question = QStringLiteral("Delete %1 %2?").arg(header.strInvName).arg(header.intInvNumber);
    if (context.prompts().ShowYesNoCancel(question, Prompts::No) != Prompts::Yes)
        return false;
    try {
        DocumentStore(context).pDeleteInvoice();
    } catch (const DbError &error) {
        context.prompts().showError(error.message(), error.detail());
        return false;
    }
    return true;
}

} // namespace DocumentOutput
