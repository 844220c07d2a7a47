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

/// The stored date of the last run, or " Never" when there has been none.
[[nodiscard]] QString GetLastPrintedText(Database &db);

/// The date of the last run; invalid when there has been none (or it does not read).
[[nodiscard]] QDate GetLastPrintedDate(Database &db, const QLocale &locale);

/// Stores \a today as the date of the last run and returns the stored text. Runs in
/// the caller's transaction, if any, so the date lands together with the run's end.
QString pSetLastPrinted(Database &db, QDate today, const QLocale &locale);

} // namespace Recurring
