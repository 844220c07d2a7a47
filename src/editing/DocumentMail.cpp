#include "DocumentMail.h"

#include "DocumentOutput.h"
#include "context/AppContext.h"
#include "core/EmailAddresses.h"
#include "core/MailAttachments.h"
#include "core/Prompts.h"
#include "core/Shell.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "invoice/DocumentStore.h"
#include "printing/PrintJobs.h"
#include "core/PrintModule.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace DocumentMail {

QString subject(const QString &kind, int number, const QString &companyName)
{
    return QStringLiteral("%1 %2 from %3").arg(kind).arg(number).arg(companyName);
}

Recipient findRecipient(Database &db, qint64 customerId, const QString &company, const QString &fullName)
{
    QStringList addresses;
    if (customerId != 0) {
        Statement byId = db.prepare(QStringLiteral("SELECT strCustEmail FROM tblCustomers WHERE intCustomerID = ?"));
        byId.bind(1, customerId);
        if (byId.step())
            addresses << byId.textAt(0);
    } else {
        // The full name as the document carries it: first and last joined by one
        // blank, empty when both are empty.
        Statement byName = db.prepare(QStringLiteral(
            "SELECT strCustEmail FROM tblCustomers WHERE IFNULL(strCustCompany, '') = ? "
            "AND CASE WHEN IFNULL(strCustFirstName, '') = '' AND IFNULL(strCustLastName, '') = '' THEN '' "
            "ELSE IFNULL(strCustFirstName, '') || ' ' || IFNULL(strCustLastName, '') END = ? LIMIT 2"));
        byName.bindAll(company, fullName);
        while (byName.step())
            addresses << byName.textAt(0);
    }
    using Status = Recipient::Status;
    if (addresses.isEmpty())
        return {Status::NoCustomer, {}, {}};
    if (addresses.size() > 1)
        return {Status::Ambiguous, {}, {}};
    const QString address = addresses.first().trimmed();
    if (address.isEmpty())
        return {Status::NoAddress, {}, {}};
    if (const auto why = EmailAddresses::problem(address))
        return {Status::BadAddress, address, *why};
    return {Status::Found, address, {}};
}

namespace {

/// The address to send to, empty to let the user type it in the mail program, or
/// nothing when the user stops.
std::optional<QString> chooseAddress(AppContext &context)
{
    const TrecInvHeader &header = context.document.header;
    Recipient recipient;
    try {
        const auto db = context.openDatabase();
        recipient = findRecipient(*db, header.intCustomerID, header.strCustCmpnyName, header.strCustFullName);
    } catch (const DbError &error) {
        context.prompts().showError(QStringLiteral("The customer's e-mail address could not be read."),
                                    error.message());
        return std::nullopt;
    }
    const QString kind = header.strInvName;
    QString why;
    switch (recipient.status) {
    case Recipient::Status::Found:
        return recipient.address;
    case Recipient::Status::NoCustomer:
        why = QStringLiteral("No customer on file is the customer of this %1.").arg(kind);
        break;
    case Recipient::Status::Ambiguous:
        why = QStringLiteral("More than one customer on file is named \"%1\"; it is not clear which one this %2 "
                             "is for.")
                  .arg(QStringList({header.strCustCmpnyName, header.strCustFullName})
                           .filter(QRegularExpression(QStringLiteral("\\S")))
                           .join(QStringLiteral(" / ")),
                       kind);
        break;
    case Recipient::Status::NoAddress:
        why = QStringLiteral("The customer of this %1 has no e-mail address on file.").arg(kind);
        break;
    case Recipient::Status::BadAddress:
        why = QStringLiteral("The e-mail address on file for the customer of this %1 cannot be used:\n%2\n%3")
                  .arg(kind, recipient.address, recipient.reason);
        break;
    }
    if (context.prompts().ShowYesNo(why + QStringLiteral("\n\nOpen the message without a recipient, to type "
                                                         "the address in the mail program?"))
        != Prompts::Yes)
        return std::nullopt;
    return QString();
}

} // namespace

bool pEmailDocument(AppContext &context)
{
    if (!context.printModule) {
        context.prompts().ShowInformation(QStringLiteral("Printing is not available yet."));
        return false;
    }
    const std::optional<QString> to = chooseAddress(context);
    if (!to)
        return false;
    const TrecInvHeader &header = context.document.header;
    QString reason;
    const QString folder = MailAttachments::makeFolder(&reason);
    if (folder.isEmpty()) {
        context.prompts().showError(QStringLiteral("No folder for the mail attachment could be made in \"%1\".")
                                        .arg(QDir::toNativeSeparators(QDir::tempPath())),
                                    reason);
        return false;
    }
    const QString pdf = QDir(folder).filePath(PrintJobs::pdfBaseName(header.strInvName, header.intInvNumber)
                                              + QStringLiteral(".pdf"));
    if (!context.printModule->pCreatePDFFile(pdf))
        return false;

    const QString title = subject(header.strInvName, header.intInvNumber, context.company.company.strCompName);
    QString problem;
    switch (context.shell().composeMail(*to, title, pdf)) {
    case Shell::MailOutcome::Opened:
        return true;
    case Shell::MailOutcome::NoMailProgram:
        problem = QStringLiteral("No mail program was found to send the %1 with.").arg(header.strInvName);
        break;
    case Shell::MailOutcome::Failed:
        problem = QStringLiteral("The mail program could not open a message for the %1; perhaps no mail account "
                                 "is set up.")
                      .arg(header.strInvName);
        break;
    }
    if (context.prompts().ShowYesNo(problem + QStringLiteral("\nSave it as a PDF file instead?")) == Prompts::Yes)
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
        context.prompts().showError(error.message());
        return false;
    }
    return pEmailDocument(context);
}

} // namespace DocumentMail
