#include "PastDueLink.h"

#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "DocumentStore.h"
#include "PaymentRules.h"
#include "data/Database.h"
#include "data/StoredForm.h"

namespace PastDueLink {

namespace {

QString invoicePrefix()
{
    return DocumentKinds::kInvoice + QLatin1Char(' ');
}

bool isStoredInvoice(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral("SELECT 1 FROM tblInvHeader WHERE intInvNumber = ? AND UPPER(strInvName) = UPPER(?)"));
    q.bindAll(number, DocumentKinds::kInvoice);
    return q.step();
}

} // namespace

std::optional<int> invoiceNamed(const QString &from)
{
    if (!from.startsWith(invoicePrefix(), Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const int number = from.mid(invoicePrefix().size()).toInt(&ok);
    return ok && number > 0 ? std::optional<int>(number) : std::nullopt;
}

std::optional<int> invoiceOf(const TrecInvHeader &notice)
{
    if (!DocumentKinds::is(notice.strInvName, DocumentKinds::kPastDue))
        return std::nullopt;
    return invoiceNamed(notice.strFromInvNameNumber);
}

std::optional<InvoiceOwed> owedOnInvoice(DocumentContext &context, Database &db, const TrecInvHeader &notice)
{
    const std::optional<int> number = invoiceOf(notice);
    if (!number || !isStoredInvoice(db, *number))
        return std::nullopt;
    CurrentDocument invoice(context.edition());
    invoice.header.intInvNumber = *number;
    DocumentStore(context, invoice).pLoadInvoice(db);
    return InvoiceOwed{*number, PaymentRules::received(invoice), PaymentRules::balance(invoice)};
}

void handOverPayments(Database &db, int number)
{
    Statement invoice = db.prepare(QStringLiteral(
        "SELECT strInvTotal FROM tblInvHeader WHERE intInvNumber = ? AND UPPER(strInvName) = UPPER(?)"));
    invoice.bindAll(number, DocumentKinds::kInvoice);
    if (!invoice.step())
        return;
    const std::optional<double> owed = StoredForm::readAmount(invoice.textAt(0));
    Statement notices = db.prepare(QStringLiteral(
        "SELECT intInvNumber FROM tblInvHeader WHERE UPPER(strInvName) = UPPER(?) AND UPPER(strFromInvNameNumber) = UPPER(?)"));
    notices.bindAll(DocumentKinds::kPastDue, invoicePrefix() + QString::number(number));
    QList<int> found;
    while (notices.step())
        found.append(notices.intAt(0));
    for (int notice : found) {
        db.prepare(QStringLiteral(
                       "INSERT INTO tblPayments(intInvNumber,strPaymentDate,dbPaymentAmount,strPaymentMethod,"
                       "strPaymentReference,strPaymentNote) SELECT ?,strPaymentDate,dbPaymentAmount,strPaymentMethod,"
                       "strPaymentReference,strPaymentNote FROM tblPayments WHERE intInvNumber = ? ORDER BY intPaymentID"))
            .bindAll(notice, number)
            .run();
        // The notice's own payments (older files) still count against what the invoice owed.
        Statement own = db.prepare(QStringLiteral("SELECT dbPaidAmount FROM tblInvHeader WHERE intInvNumber = ?"));
        own.bindAll(notice);
        own.step();
        const double ownPaid = own.doubleAt(0);
        Statement update = db.prepare(QStringLiteral(
            "UPDATE tblInvHeader SET dbPaidAmount = (SELECT COALESCE(SUM(dbPaymentAmount), 0) FROM tblPayments "
            "WHERE intInvNumber = ?), intRowVersion = intRowVersion + 1%1 WHERE intInvNumber = ?")
                                             .arg(owed ? QStringLiteral(", strInvTotal = ?") : QString()));
        if (owed)
            update.bindAll(notice, StoredForm::amountText(*owed - ownPaid), notice);
        else
            update.bindAll(notice, notice);
        update.run();
    }
}

QString listedTotalColumn()
{
    // Kind names are the program's own constants, never user text.
    const QString invoice = DocumentKinds::kInvoice.toUpper();
    return QStringLiteral(
               "CASE WHEN UPPER(strInvName) = '%1' THEN COALESCE((SELECT i.strInvTotal FROM tblInvHeader i "
               "WHERE i.intInvNumber = CAST(substr(tblInvHeader.strFromInvNameNumber, %2) AS INTEGER) "
               "AND UPPER(i.strInvName) = '%3' AND UPPER(tblInvHeader.strFromInvNameNumber) = '%3 ' || i.intInvNumber), "
               "strInvTotal) ELSE strInvTotal END")
        .arg(DocumentKinds::kPastDue.toUpper())
        .arg(invoice.size() + 2)
        .arg(invoice);
}

} // namespace PastDueLink
