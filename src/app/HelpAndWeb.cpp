#include "HelpAndWeb.h"

#include "AppContext.h"
#include "Paths.h"
#include "Prompts.h"
#include "Shell.h"

namespace HelpAndWeb {

QUrl webSite()
{
    return QUrl(QStringLiteral("https://www.tarnwick-software.example/"));
}

void pOpenHelp(AppContext &context)
{
    if (!context.shell().openFile(Paths::GetHelpFilePath(context.edition())))
        context.prompts().showPlainMessage(QStringLiteral("Unable to open the Help files!"));
}

void pOpenWebSite(AppContext &context)
{
    if (!context.shell().openUrl(webSite()))
        context.prompts().showPlainMessage(QStringLiteral("Unable to open the Web Browser!"));
}

} // namespace HelpAndWeb
