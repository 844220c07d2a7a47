#include "ServerStart.h"

#include "StartUp.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "data/OfficeServer.h"
#include "data/ServerChoice.h"

#include <sqlite3.h>

namespace ServerStart {

namespace {

std::optional<OfficeServer::Settings> fromArguments(const QStringList &arguments, Prompts &prompts, bool &failed)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--server"));
    if (at < 0)
        return std::nullopt;
    QString error;
    std::optional<OfficeServer::Settings> settings =
        at + 1 < arguments.size() ? OfficeServer::fromAddress(arguments[at + 1], error) : std::nullopt;
    if (!settings) {
        prompts.showError(error.isEmpty() ? QStringLiteral("--server needs the server's address: "
                                                           "postgresql://user@host:port/database.")
                                          : error);
        failed = true;
    }
    return settings;
}

} // namespace

bool pChooseCompanyDatabase(const QStringList &arguments, const Edition &edition, Prompts &prompts)
{
    const QString path = Paths::GetDataBasePath(edition);
    if (!edition.offersOfficeServer()) {
        if (arguments.contains(QStringLiteral("--server"))) {
            prompts.showError(QStringLiteral("%1 keeps its data on this computer only; start it without --server.")
                                  .arg(edition.GetEditionName()));
            return false;
        }
        return true;
    }
    bool failed = false;
    // The command line names the server for this one run; the remembered choice stays.
    if (const auto named = fromArguments(arguments, prompts, failed)) {
        OfficeServer::attach(path, *named);
        return true;
    }
    if (failed)
        return false;
    const ServerChoice::Choice remembered = ServerChoice::remembered(path);
    if (remembered.onServer)
        OfficeServer::attach(path, remembered.server);
    return true;
}

bool unreachable(const DbError &error, const Edition &edition)
{
    const int code = error.code() & 0xff;
    return OfficeServer::serving(Paths::GetDataBasePath(edition)) && (code == SQLITE_CANTOPEN || code == SQLITE_AUTH);
}

Next afterUnreachable(const DbError &error, const Edition &edition, Prompts &prompts)
{
    const QString path = Paths::GetDataBasePath(edition);
    std::optional<OfficeServer::Settings> server = OfficeServer::serving(path);
    if (!server)
        return Next::Quit;
    if ((error.code() & 0xff) == SQLITE_AUTH) {
        const QString password = prompts.askPassword(error.message() + QStringLiteral("\n\nPassword:"));
        if (!password.isEmpty()) {
            server->password = password;
            OfficeServer::attach(path, *server);
            return Next::TryAgain;
        }
    }
    const int answer = prompts.ShowChoice(
        error.message() + QStringLiteral("\n\nTry again, or work with the company file on this computer?"),
        {QStringLiteral("&Try Again"), QStringLiteral("Use the &File on This Computer"), QStringLiteral("&Quit")}, 0, 2);
    switch (answer) {
    case 0:
        // A password typed wrong is asked for again rather than tried again.
        server->password.clear();
        OfficeServer::attach(path, *server);
        return Next::TryAgain;
    case 1:
        OfficeServer::detach(path);
        return Next::UseFile;
    default:
        return Next::Quit;
    }
}

Started pStartUp(AppContext &context, QDate today)
{
    for (;;) {
        try {
            return StartUp::pStartUp(context, today) ? Started::Yes : Started::Declined;
        } catch (const DbError &error) {
            if (!unreachable(error, context.edition()))
                throw;
            if (afterUnreachable(error, context.edition(), context.prompts()) == Next::Quit)
                return Started::Quit;
        }
    }
}

} // namespace ServerStart
