#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

class Database;

/// Recurring invoices: saved invoices marked to be copied and printed again in one
/// run, and the date of the last run.
namespace Recurring {

/// The numbers of the saved recurring invoices, in the order the database gives
/// them. Only kinds whose name starts with "Invoice" (any letter case) count, so an
/// estimate or credit marked recurring is left out.
[[nodiscard]] QList<int> GetRecurringNumbers(Database &db);

/// The date of the last run as the user reads it in \a locale, or " Never" when
/// there has been none. A stored text that is no date is shown as it stands.
[[nodiscard]] QString GetLastPrintedText(Database &db, const QLocale &locale);

/// The date of the last run; invalid when there has been none (or it does not read).
[[nodiscard]] QDate GetLastPrintedDate(Database &db);

/// Stores \a today as the date of the last run. Runs in the caller's transaction,
/// if any, so the date lands together with the run's end.
void pSetLastPrinted(Database &db, QDate today);

} // namespace Recurring
