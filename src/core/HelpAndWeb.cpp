#include "HelpAndWeb.h"

#include "Paths.h"
#include "Prompts.h"
#include "Shell.h"

namespace HelpAndWeb {

QUrl webSite()
{
    return QUrl(QStringLiteral("https://www.tarnwick-software.example/"));
}

void pOpenHelp(const Edition &edition, Shell &shell, Prompts &prompts)
{
    if (!shell.openFile(Paths::GetHelpFilePath(edition)))
        prompts.showPlainMessage(QStringLiteral("Unable to open the Help files!"));
}

void pOpenWebSite(Shell &shell, Prompts &prompts)
{
    if (!shell.openUrl(webSite()))
        prompts.showPlainMessage(QStringLiteral("Unable to open the Web Browser!"));
}

} // namespace HelpAndWeb
