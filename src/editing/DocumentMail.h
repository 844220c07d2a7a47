#pragma once

#include <QString>

class AppContext;
class Database;

/// Sending the current document by e-mail as a PDF attachment.
namespace DocumentMail {

/// "Invoice 512 from My Company Name".
[[nodiscard]] QString subject(const QString &kind, int number, const QString &companyName);

/// Whom a document goes to, as the customer list says.
struct Recipient
{
    enum class Status {
        Found,
        /// No customer on file is the document's.
        NoCustomer,
        /// The document has no customer id and several customers carry its names.
        Ambiguous,
        NoAddress,
        /// The stored address is not one (\a address holds it, \a reason says why).
        BadAddress
    };
    Status status = Status::NoCustomer;
    QString address;
    QString reason;
};

/// The customer of a document: the one with \a customerId when the document has
/// one, else (older documents) the one customer whose company and full name as the
/// document prints them are the document's. The stored address is checked.
[[nodiscard]] Recipient findRecipient(Database &db, qint64 customerId, const QString &company,
                                      const QString &fullName);

/// Renders the current document to a PDF in a new private folder, named as the
/// customer will see it, and opens the mail program with it attached. When the
/// recipient is not clear the user is asked whether to go on without one. Without
/// a working mail program the user is told so and may save the PDF instead. True
/// when the mail program took the message.
bool pEmailDocument(AppContext &context);

/// Loads saved document \a number as the current document and sends it as above.
bool pEmailSavedDocument(AppContext &context, int number);

} // namespace DocumentMail
