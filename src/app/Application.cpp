#include "Application.h"

#include "AppContext.h"
#include "DialogPrompts.h"
#include "Edition.h"
#include "StartUp.h"
#include "TfrmMain.h"
#include "data/DbError.h"
#include "data/SavingPopup.h"
#include "printing/TmodPrintData.h"

#include <QApplication>

int runApplication(int argc, char **argv, int editionNumber)
{
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(editionNumber);
    QApplication::setOrganizationName(Product::GetCompanyName());
    QApplication::setApplicationName(edition.GetEditionName());
    QApplication::setApplicationDisplayName(edition.GetEditionName());
    QApplication::setApplicationVersion(Product::versionText());

    DialogPrompts prompts;
    SavingPopup saving;
    AppContext context(edition, prompts, saving);
    try {
        StartUp::pStartUp(context);
    } catch (const DbError &error) {
        prompts.showError(error.message());
        return 1;
    }

    TmodPrintData printing(context);
    context.printModule = &printing;

    TfrmMain mainWindow(context);
    mainWindow.showAsPreferred();
    saving.pCloseSaving();
    return QApplication::exec();
}
