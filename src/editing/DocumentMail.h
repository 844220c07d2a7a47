#pragma once

#include <QString>
#include <optional>

class AppContext;
class Database;

/// Sending the current document by e-mail as a PDF attachment.
namespace DocumentMail {

/// "Invoice 512 from My Company Name".
[[nodiscard]] QString subject(const QString &kind, int number, const QString &companyName);

/// The stored e-mail address of a document's customer: by \a customerId when the
/// document has one, else the first customer whose company and full name (as the
/// document prints it) are the document's; empty when none is found.
[[nodiscard]] QString customerAddress(Database &db, std::optional<qint64> customerId, const QString &company,
                                      const QString &fullName);

/// Renders the current document to a PDF in the temporary folder, named as the PDF
/// command names it, and opens the mail program with it attached. Without a mail
/// program the user is told so and may save the PDF instead. True when the mail
/// program took the message.
bool pEmailDocument(AppContext &context);

/// Loads saved document \a number as the current document and sends it as above.
bool pEmailSavedDocument(AppContext &context, int number);

} // namespace DocumentMail
