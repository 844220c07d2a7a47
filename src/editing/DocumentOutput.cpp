#include "DocumentOutput.h"

#include "app/AppContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "invoice/DocumentStore.h"
#include "printing/PrintJobs.h"
#include "printing/PrintModule.h"

namespace DocumentOutput {

bool pPrintDocument(AppContext &context, Target target)
{
    if (!context.printModule) {
        context.prompts().ShowInformation(QStringLiteral("Printing is not available yet."));
        return false;
    }
    context.printKind = PrintKind::CurrentDocument;
    bool printed = true;
    if (target == Target::Printer)
        printed = context.printModule->pPrint();
    else
        context.printModule->pPrintPreview();
    if (!printed || context.edition().storesDocuments())
        return printed;
    try {
        DocumentStore(context).pIncInvoiceNumber();
    } catch (const DbError &error) {
        // The paper is out already; the user must know the next document may repeat its number.
        context.prompts().showError(QStringLiteral("The document was printed, but the next document number "
                                                   "could not be advanced:\n")
                                    + error.message());
    }
    return true;
}

void pSaveDocumentAsPdf(AppContext &context)
{
    if (!context.printModule) {
        context.prompts().ShowInformation(QStringLiteral("Printing is not available yet."));
        return;
    }
    context.printKind = PrintKind::CurrentDocument;
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
        context.prompts().showError(error.message());
        return false;
    }
    return true;
}

} // namespace DocumentOutput
