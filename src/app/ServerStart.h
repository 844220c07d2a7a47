#pragma once

#include <QStringList>

class DbError;
class Edition;
class Prompts;

/// Starting on the office server: the address from the command line, and what the
/// user can do when the server cannot be reached.
namespace ServerStart {

/// With "--server postgresql://user@host:port/database" among \a arguments, the
/// edition's company is reached on that server for this run. Gives false after
/// telling the user when the address does not read.
[[nodiscard]] bool pUseServerFromArguments(const QStringList &arguments, const Edition &edition, Prompts &prompts);

enum class Next { TryAgain, UseFile, Quit };

/// After \a error kept the program from reaching the company's server: try again,
/// go back to the company file on this computer, or quit.
[[nodiscard]] Next askWhenUnreachable(const DbError &error, Prompts &prompts);

/// Whether \a error means the server was not reached (rather than a failure on it).
[[nodiscard]] bool unreachable(const DbError &error, const Edition &edition);

} // namespace ServerStart
