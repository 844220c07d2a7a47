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
    // Checked first: the desktop's opener reports success even for a missing file.
    if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompts.showPlainMessage(QStringLiteral("Unable to open the Help files!"));
}

} // namespace Help
