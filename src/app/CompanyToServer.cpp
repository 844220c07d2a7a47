#include "CompanyToServer.h"

#include "core/Prompts.h"
#include "data/DataContext.h"
#include "data/DbError.h"
#include "data/FileError.h"
#include "data/SavingIndicator.h"
#include "data/ServerChoice.h"
#include "data/ServerCopy.h"

#include <sqlite3.h>

namespace CompanyToServer {

namespace {

// Copies, asking for the password once when the server wants one; false after telling the user why not.
bool copied(DataContext &context, OfficeServer::Settings &server)
{
    Prompts &prompts = context.prompts();
    for (;;) {
        try {
            context.saving().pShowSaving(QStringLiteral("Copying the company to the server..."));
            ServerCopy::copyFileToServer(context.databasePath(), server);
            context.saving().pCloseSaving();
            return true;
        } catch (const DbError &error) {
            context.saving().pCloseSaving();
            if ((error.code() & 0xff) == SQLITE_AUTH && server.password.isEmpty()) {
                server.password = prompts.askPassword(error.message() + QStringLiteral("\n\nPassword:"));
                if (!server.password.isEmpty())
                    continue;
                return false;
            }
            prompts.showError(QStringLiteral("The company was not copied to the office server %1.\n\n%2")
                                  .arg(server.shownName(), error.message()),
                              error.detail());
            return false;
        }
    }
}

} // namespace

bool pCopyCompanyToServer(DataContext &context, OfficeServer::Settings server)
{
    if (!copied(context, server))
        return false;
    Prompts &prompts = context.prompts();
    // Not destructive: the file stays as it is, and the choice can be changed back in the
    // company settings. Copying is done to work there, so Enter says Yes.
    if (prompts.ShowYesNo(QStringLiteral("The company is copied to the office server %1. The file on this computer "
                                         "stays as it is.\n\nWork with the company on the server from now on?")
                              .arg(server.shownName()),
                          Prompts::Yes)
        != Prompts::Yes)
        return false;
    try {
        ServerChoice::remember(context.databasePath(), {true, server});
    } catch (const FileError &error) {
        prompts.showError(error.message());
        return false;
    }
    OfficeServer::attach(context.databasePath(), server);
    return true;
}

} // namespace CompanyToServer
