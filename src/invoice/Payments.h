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

/// The payments stored for document \a number, oldest first. Throws
/// StoredValueError for a date or amount that does not read.
[[nodiscard]] QList<Payment> load(Database &db, int number);
/// Replaces the payments stored for \a number (inside the caller's transaction).
void store(Database &db, int number, const QList<Payment> &payments);
/// Deletes the payments stored for \a number.
void erase(Database &db, int number);

} // namespace Payments
