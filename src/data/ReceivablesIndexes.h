#pragma once

#include <QString>

class Database;

/// The indexes the receivables list reads through, and the expression one of them
/// holds: a query finds that index only when it writes the very same expression.
namespace ReceivablesIndexes {

/// The customer as the list shows it (company, name, whichever are set), of the
/// row \a alias ("h." or empty for the table itself).
[[nodiscard]] QString customerShown(const QString &alias);

/// The kinds the list holds, invoices and past-due notices, of the row \a alias, as
/// the indexes that walk them state it.
[[nodiscard]] QString listedKinds(const QString &alias);

/// Creates the indexes when missing.
void create(Database &db);

} // namespace ReceivablesIndexes
