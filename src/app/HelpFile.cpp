#include "HelpFile.h"

#include "Paths.h"
#include "Prompts.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace HelpFile {

void pOpenHelp(const Edition &edition, Prompts &prompts)
{
    const QString path = Paths::GetHelpFilePath(edition);
    if (!QFileInfo(path).isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompts.showPlainMessage(QStringLiteral("Unable to open the Help files!"));
}

} // namespace HelpFile
