#include "Help.h"

#include "Paths.h"
#include "Prompts.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace Help {

void pOpenHelp(const Edition &edition, Prompts &prompts)
{
    const QString path = Paths::GetHelpFilePath(edition);
    if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompts.showPlainMessage(QStringLiteral("Unable to open the Help files!"));
}

} // namespace Help
