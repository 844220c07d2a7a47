#include "TfrmMain.h"

#include "AppContext.h"
#include "Edition.h"
#include "Prompts.h"
#include "StartUp.h"
#include "data/DbError.h"

#include <QCloseEvent>
#include <QLabel>

TfrmMain::TfrmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(context.edition().GetEditionName());
    auto *welcome = new QLabel(Product::GetProductTitle(context.edition()), this);
    welcome->setAlignment(Qt::AlignCenter);
    setCentralWidget(welcome);
    setMinimumSize(750, 600);
}

void TfrmMain::showAsPreferred()
{
    if (m_context.preferences[AppPreferences::FrmMainMaximized])
        showMaximized();
    else
        showNormal();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    m_context.preferences[AppPreferences::FrmMainMaximized] = isMaximized();
    try {
        StartUp::pShutDown(m_context);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
    }
    event->accept();
}
