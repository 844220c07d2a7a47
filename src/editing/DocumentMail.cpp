#include "DocumentMail.h"

#include "DocumentOutput.h"
#include "context/AppContext.h"
#include "core/Prompts.h"
#include "core/Shell.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "invoice/DocumentStore.h"
#include "printing/PrintJobs.h"
#include "core/PrintModule.h"

#include <QDir>

namespace DocumentMail {

QString subject(const QString &kind, int number, const QString &companyName)
{
    return QStringLiteral("%1 %2 from %3").arg(kind).arg(number).arg(companyName);
}

QString customerAddress(Database &db, std::optional<qint64> customerId, const QString &company,
                        const QString &fullName)
{
    if (customerId) {
        Statement byId = db.prepare(QStringLiteral("SELECT strCustEmail FROM tblCustomers WHERE intCustomerID = ?"));
        byId.bind(1, *customerId);
        if (byId.step())
            return byId.textAt(0).trimmed();
    }
    // The full name as the document carries it: first and last joined by one blank,
    // empty when both are empty.
    Statement byName = db.prepare(QStringLiteral(
        "SELECT strCustEmail FROM tblCustomers WHERE IFNULL(strCustCompany, '') = ? "
        "AND CASE WHEN IFNULL(strCustFirstName, '') = '' AND IFNULL(strCustLastName, '') = '' THEN '' "
        "ELSE IFNULL(strCustFirstName, '') || ' ' || IFNULL(strCustLastName, '') END = ? "
        "AND TRIM(strCustEmail) <> '' ORDER BY intCustomerID LIMIT 1"));
    byName.bindAll(company, fullName);
    return byName.step() ? byName.textAt(0).trimmed() : QString();
}

bool pEmailDocument(AppContext &context)
{
    if (!context.printModule) {
        context.prompts().ShowInformation(QStringLiteral("Printing is not available yet."));
        return false;
    }
    const TrecInvHeader &header = context.document.header;
    // Kept after the call: the mail program reads the attachment when it gets to it.
    const QDir folder(QDir::temp().filePath(QStringLiteral("Tarnwick Mail")));
    if (!folder.mkpath(QStringLiteral("."))) {
        context.prompts().showError(QStringLiteral("The folder \"%1\" for the mail attachment cannot be made.")
                                        .arg(QDir::toNativeSeparators(folder.path())));
        return false;
    }
    const QString pdf = folder.filePath(PrintJobs::pdfBaseName(header.strInvName, header.intInvNumber)
                                        + QStringLiteral(".pdf"));
    if (!context.printModule->pCreatePDFFile(pdf))
        return false;

    QString to;
    try {
        const auto db = context.openDatabase();
        to = customerAddress(*db, std::nullopt, header.strCustCmpnyName, header.strCustFullName);
    } catch (const DbError &) {
        // Without the address the user types it into the message; the mail still goes.
    }
    const QString title = subject(header.strInvName, header.intInvNumber, context.company.company.strCompName);
    if (context.shell().composeMail(to, title, pdf))
        return true;
    if (context.prompts().ShowYesNo(QStringLiteral("No mail program was found to send the %1 with.\n"
                                                   "Save it as a PDF file instead?")
                                        .arg(header.strInvName))
        == Prompts::Yes)
        DocumentOutput::pSaveDocumentAsPdf(context);
    return false;
}

bool pEmailSavedDocument(AppContext &context, int number)
{
    context.document.header.blnNewInvoice = false;
    context.document.header.intInvNumber = number;
    try {
        DocumentStore(context).pLoadInvoice();
    } catch (const DbError &error) {
        context.prompts().showError(error.message(), error.detail());
        return false;
    }
    return pEmailDocument(context);
}

} // namespace DocumentMail
