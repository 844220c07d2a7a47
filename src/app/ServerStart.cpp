#include "ServerStart.h"

#include "core/Edition.h"
#include "core/Paths.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "data/OfficeServer.h"

#include <sqlite3.h>

namespace ServerStart {

bool pUseServerFromArguments(const QStringList &arguments, const Edition &edition, Prompts &prompts)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--server"));
    if (at < 0)
        return true;
    if (!edition.storesDocuments()) {
        prompts.showError(QStringLiteral("%1 keeps its data on this computer only; start it without --server.")
                              .arg(edition.GetEditionName()));
        return false;
    }
    QString error;
    const std::optional<OfficeServer::Settings> settings =
        at + 1 < arguments.size() ? OfficeServer::fromAddress(arguments[at + 1], error) : std::nullopt;
    if (!settings) {
        prompts.showError(error.isEmpty() ? QStringLiteral("--server needs the server's address: "
                                                           "postgresql://user@host:port/database.")
                                          : error);
        return false;
    }
    OfficeServer::attach(Paths::GetDataBasePath(edition), *settings);
    return true;
}

bool unreachable(const DbError &error, const Edition &edition)
{
    return OfficeServer::serving(Paths::GetDataBasePath(edition)) && (error.code() & 0xff) == SQLITE_CANTOPEN;
}

Next askWhenUnreachable(const DbError &error, Prompts &prompts)
{
    const int answer = prompts.ShowChoice(
        error.message() + QStringLiteral("\n\nTry again, or work with the company file on this computer?"),
        {QStringLiteral("&Try Again"), QStringLiteral("Use the &File on This Computer"), QStringLiteral("&Quit")}, 0, 2);
    switch (answer) {
    case 0:
        return Next::TryAgain;
    case 1:
        return Next::UseFile;
    default:
        return Next::Quit;
    }
}

} // namespace ServerStart
