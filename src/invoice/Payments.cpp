#include "Payments.h"

#include "Money.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/StoredForm.h"

#include <QCoreApplication>
#include <QSet>

namespace Payments {

const QStringList &methods()
{
    static const QStringList all = {QStringLiteral("cash"), QStringLiteral("check"), QStringLiteral("card"),
                                    QStringLiteral("transfer"), QStringLiteral("other")};
    return all;
}

QString methodCaption(const QString &method)
{
    static const char *const captions[] = {
        QT_TRANSLATE_NOOP("Payments", "Cash"), QT_TRANSLATE_NOOP("Payments", "Check"),
        QT_TRANSLATE_NOOP("Payments", "Card"), QT_TRANSLATE_NOOP("Payments", "Transfer"),
        QT_TRANSLATE_NOOP("Payments", "Other")};
    if (method == kFromCredit)
        return QCoreApplication::translate("Payments", "Credit");
    if (method == kRefund)
        return QCoreApplication::translate("Payments", "Refund");
    if (method == kMarkedPaid)
        return QCoreApplication::translate("Payments", "Marked Paid In Full");
    const qsizetype index = methods().indexOf(method);
    return QCoreApplication::translate("Payments", captions[index < 0 ? methods().size() - 1 : index]);
}

double sum(const QList<Payment> &payments)
{
    double total = 0;
    for (const Payment &payment : payments)
        total = Money::roundToCents(total + payment.amount);
    return total;
}

QList<Payment> load(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT strPaymentDate,dbPaymentAmount,strPaymentMethod,strPaymentReference,strPaymentNote,intPaymentID "
        "FROM tblPayments "
        "WHERE intInvNumber = ? ORDER BY strPaymentDate, intPaymentID"));
    q.bind(1, number);
    QList<Payment> payments;
    while (q.step()) {
        Payment p;
        const QString dateText = q.textAt(0);
        if (!dateText.isEmpty()) {
            const std::optional<QDate> date = StoredForm::readDate(dateText);
            if (!date) {
                throw conversionError(QStringLiteral("A payment of document %1 holds the date '%2', which this "
                                                     "program cannot read.")
                                          .arg(number)
                                          .arg(dateText));
            }
            p.date = *date;
        }
        p.amount = q.doubleAt(1);
        // A method this version does not know (written by a later one) still counts.
        const QString method = q.textAt(2);
        const bool known = methods().contains(method) || method == kFromCredit || method == kRefund
            || method == kMarkedPaid;
        p.method = known ? method : QStringLiteral("other");
        p.reference = q.textAt(3);
        p.note = q.textAt(4);
        p.id = q.int64At(5);
        payments.append(p);
    }
    return payments;
}

void erase(Database &db, int number)
{
    db.prepare(QStringLiteral("DELETE FROM tblPayments WHERE intInvNumber = ?")).bindAll(number).run();
}

void store(Database &db, int number, QList<Payment> &payments)
{
    // Rows are kept rather than written anew, so a document saved again does not move
    // its payments behind those entered later on other documents.
    QSet<qint64> stored;
    Statement ids = db.prepare(QStringLiteral("SELECT intPaymentID FROM tblPayments WHERE intInvNumber = ?"));
    ids.bind(1, number);
    while (ids.step())
        stored.insert(ids.int64At(0));
    QSet<qint64> kept;
    for (const Payment &p : payments) {
        if (stored.contains(p.id))
            kept.insert(p.id);
    }
    Statement remove = db.prepare(QStringLiteral("DELETE FROM tblPayments WHERE intPaymentID = ?"));
    for (const qint64 id : stored - kept) {
        remove.bind(1, id);
        remove.run();
        remove.reset();
    }

    Statement update = db.prepare(QStringLiteral(
        "UPDATE tblPayments SET strPaymentDate = ?,dbPaymentAmount = ?,strPaymentMethod = ?,strPaymentReference = ?,"
        "strPaymentNote = ? WHERE intPaymentID = ?"));
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblPayments(strPaymentDate,dbPaymentAmount,strPaymentMethod,strPaymentReference,"
        "strPaymentNote,intInvNumber)VALUES(?,?,?,?,?,?)"));
    for (Payment &p : payments) {
        const bool isStored = kept.contains(p.id);
        Statement &write = isStored ? update : insert;
        write.bindAll(StoredForm::dateText(p.date), Money::roundToCents(p.amount), p.method, p.reference, p.note,
                      isStored ? p.id : qint64(number));
        write.run();
        write.reset();
        if (!isStored)
            p.id = db.lastInsertRowId();
        // Listed twice (a copy of one payment): the second is a payment of its own.
        kept.remove(p.id);
    }
}

} // namespace Payments
