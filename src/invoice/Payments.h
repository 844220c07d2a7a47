#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Database;

/// Money received for a document: on an invoice a part or whole payment, on a
/// deposit kind (estimate, work order, change order) a deposit received.
struct Payment
{
    QDate date;
    double amount = 0;
    /// One of Payments::methods(); stored as is, whatever the user's language.
    QString method = QStringLiteral("other");
    QString reference;
    QString note;
    /// Its stored row, 0 until stored. Rows keep their id when the document is saved
    /// again, so the ids tell the order payments were entered in.
    qint64 id = 0;

    friend bool operator==(const Payment &, const Payment &) = default;
};

namespace Payments {

/// The stored method keys, in the order they are offered.
[[nodiscard]] const QStringList &methods();

/// Keys the program writes itself and never offers: money that came from the
/// customer's credit (negative on the document the credit was taken from), money
/// given back (negative), and what marking an invoice paid in full recorded.
inline const QString kFromCredit = QStringLiteral("credit");
inline const QString kRefund = QStringLiteral("refund");
inline const QString kMarkedPaid = QStringLiteral("marked");
/// The method as shown ("Cash", "Check", ...).
[[nodiscard]] QString methodCaption(const QString &method);

/// The sum, to the cent.
[[nodiscard]] double sum(const QList<Payment> &payments);

/// The payments stored for document \a number, oldest first, those of one date in
/// the order they were entered. Throws StoredValueError for a date or amount that
/// does not read.
[[nodiscard]] QList<Payment> load(Database &db, int number);
/// Makes the payments stored for \a number these (inside the caller's transaction):
/// rows no longer listed go, listed ones already stored keep their row, new ones are
/// added and get their id.
void store(Database &db, int number, QList<Payment> &payments);
/// Deletes the payments stored for \a number.
void erase(Database &db, int number);

} // namespace Payments
