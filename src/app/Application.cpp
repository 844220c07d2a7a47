#include "Application.h"

#include "WindowOpener.h"
#include "context/AppContext.h"
#include "DesktopShell.h"
#include "DialogPrompts.h"
#include "core/Edition.h"
#include "widgets/Icons.h"
#include "ServerStart.h"
#include "TfrmMain.h"
#include "data/DbError.h"
#include "data/FileError.h"
#include "data/SavingPopup.h"
#include "printing/TmodPrintData.h"
#include "widgets/CommandButtonStyle.h"

#include <QApplication>

int runApplication(int argc, char **argv, int editionNumber)
{
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(editionNumber);
    QApplication::setOrganizationName(Product::GetCompanyName());
    // No display name: the platform would add it to every window's caption.
    QApplication::setApplicationName(edition.GetEditionName());
    QApplication::setApplicationVersion(Product::versionText());

    Icons::useTheme();
    QApplication::setStyle(new CommandButtonStyle); // the application owns it

    DialogPrompts prompts;
    SavingPopup saving;
    DesktopShell shell;
    AppContext context(edition, prompts, saving);
    context.setShell(&shell);
    if (!ServerStart::pChooseCompanyDatabase(QApplication::arguments(), edition, prompts))
        return 1;
    try {
        switch (ServerStart::pStartUp(context)) {
        case ServerStart::Started::Yes:
            break;
        case ServerStart::Started::Declined:
            return 0;
        case ServerStart::Started::Quit:
            return 1;
        }
    } catch (const DbError &error) {
        prompts.showError(error.message(), error.detail());
        return 1;
    } catch (const FileError &error) {
        prompts.showError(error.message());
        return 1;
    }

    TmodPrintData printing(context);
    context.printModule = &printing;
    AppWindows windows(context);
    context.windows = &windows;

    TfrmMain mainWindow(context);
    mainWindow.showAsPreferred();
    return QApplication::exec();
}
