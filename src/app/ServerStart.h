#pragma once

#include <QDate>
#include <QStringList>

class AppContext;
class DbError;
class Edition;
class Prompts;

/// Starting on the office server: the address from the command line or the choice
/// remembered in the company settings, the password, and what the user can do when
/// the server cannot be reached.
namespace ServerStart {

/// Where the edition's company is for this run: the server "--server
/// postgresql://user@host:port/database" among \a arguments names, else the one the
/// company settings remember, else the file. Gives false after telling the user when
/// the address does not read or the edition keeps its data on this computer only.
[[nodiscard]] bool pChooseCompanyDatabase(const QStringList &arguments, const Edition &edition, Prompts &prompts);

/// Whether \a error means the company's server was not reached or wants a password
/// (rather than a failure on it).
[[nodiscard]] bool unreachable(const DbError &error, const Edition &edition);

enum class Next { TryAgain, UseFile, Quit };

/// After \a error kept start-up from the company's server: asks for the password
/// when the server wants one (kept for this run only), otherwise offers to try
/// again, to go back to the company file on this computer for this run, or to quit.
[[nodiscard]] Next afterUnreachable(const DbError &error, const Edition &edition, Prompts &prompts);

enum class Started { Yes, Declined, Quit };

/// Start-up on the company database chosen for this run. While the server is not
/// reached, or wants a password, asks what afterUnreachable asks and tries again, or
/// goes on with the file, as the user says. Declined: the user left an older database
/// as it was; Quit: the user chose to quit. Throws DbError or FileError for anything else.
[[nodiscard]] Started pStartUp(AppContext &context, QDate today = QDate::currentDate());

} // namespace ServerStart
