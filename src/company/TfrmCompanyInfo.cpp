#include "TfrmCompanyInfo.h"

#include "CompanyInfoPages.h"
#include "CompanySettings.h"
#include "TfrmCompanyDatabase.h"
#include "LogoPanel.h"
#include "company/CompanyContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "core/Prompts.h"
#include "widgets/Ribbon.h"
#include "data/DbError.h"
#include "data/FileError.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

TfrmCompanyInfo::TfrmCompanyInfo(CompanyContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_ribbon(new Ribbon(this))
    , m_pages(new QStackedWidget(this))
    , m_actSave(new QAction(tr("Save"), this))
{
    setObjectName(QStringLiteral("frmCompanyInfo"));
    setWindowTitle(tr("Company Information"));
    m_pages->setObjectName(QStringLiteral("pgcCompanyInfo"));
    Prompts &prompts = context.prompts();
    const CompanyInfoLayout layout = CompanyInfoLayout::forEdition(context.edition());

    auto *actClose = new QAction(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("Close"), this);
    actClose->setObjectName(QStringLiteral("actClose"));
    actClose->setToolTip(tr("Close"));
    connect(actClose, &QAction::triggered, this, &TfrmCompanyInfo::reject);
    m_actSave->setObjectName(QStringLiteral("actSave"));
    m_actSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_actSave->setToolTip(tr("Save changes to company information"));
    m_actSave->setShortcut(QKeySequence::Save);
    connect(m_actSave, &QAction::triggered, this, &TfrmCompanyInfo::pSave);
    auto *actHelp = new QAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), tr("Help"), this);
    actHelp->setObjectName(QStringLiteral("actHelp"));
    actHelp->setToolTip(tr("Open Help"));
    connect(actHelp, &QAction::triggered, this,
            [this] { m_context.pOpenHelp(); });
    auto *actDatabase = new QAction(style()->standardIcon(QStyle::SP_DriveNetIcon), tr("Company Database"), this);
    actDatabase->setObjectName(QStringLiteral("actCompanyDatabase"));
    actDatabase->setToolTip(tr("Keep the company on this computer or on an office server"));
    actDatabase->setVisible(context.edition().offersOfficeServer());
    connect(actDatabase, &QAction::triggered, this, [this] { TfrmCompanyDatabase::chooseFor(m_context, this); });
    addActions({actClose, m_actSave, actHelp});

    RibbonGroup *commands = m_ribbon->addGroup(m_ribbon->addPage(tr("Company Information")), tr("Company Information"));
    commands->addAction(actClose);
    commands->addAction(m_actSave);
    commands->addAction(actDatabase);
    m_ribbon->setHelpAction(actHelp);
    m_ribbon->setCaption(tr("Company Information"));

    auto *pageBar = new QToolBar(this);
    pageBar->setObjectName(QStringLiteral("ToolBarPages"));
    pageBar->setOrientation(Qt::Vertical);
    pageBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    pageBar->setIconSize(QSize(24, 24));

    m_companyPage = new CompanyIdentityPage(prompts, layout);
    m_taxPage = new TaxPage(layout);
    CompanyInfoPage *description = layout.workSheetDescription
        ? static_cast<CompanyInfoPage *>(new WorkSheetDescriptionPage)
        : new InvoiceDescriptionPage;
    struct PageEntry
    {
        CompanyInfoPage *page;
        const char *action, *caption;
        QStyle::StandardPixmap icon;
        bool shown;
    };
    const PageEntry entries[] = {
        {m_companyPage, "actCompanyPage", "Company", QStyle::SP_DirHomeIcon, true},
        {m_taxPage, "actTaxPage", "Tax", QStyle::SP_FileDialogDetailedView, true},
        {new InvoiceInfoPage(prompts, layout), "actInvoicePage", "Invoice", QStyle::SP_FileIcon, layout.invoicePage},
        {new InvoiceColorPage(prompts, layout), "actInvoiceColorPage", "Invoice Color", QStyle::SP_DesktopIcon, true},
        {description, "actInvoiceDescriptionPage", "Invoice Description", QStyle::SP_FileDialogListView,
         layout.invoiceDescriptionPage},
        {new GeneralInfoPage(prompts, layout), "actGeneralInformationPage", "General Information",
         QStyle::SP_FileDialogInfoView, layout.generalInformationPage},
        {new PlannerPage(prompts), "actPlannerPage", "Planner Page", QStyle::SP_FileDialogContentsView,
         layout.plannerPage},
    };
    auto *pageChoice = new QActionGroup(this);
    for (const PageEntry &entry : entries) {
        m_pages->addWidget(entry.page);
        m_editPages.push_back(entry.page);
        auto *action = new QAction(style()->standardIcon(entry.icon), tr(entry.caption), pageChoice);
        action->setObjectName(QString::fromLatin1(entry.action));
        action->setCheckable(true);
        action->setVisible(entry.shown);
        connect(action, &QAction::triggered, this, [this, page = entry.page] { showPage(page); });
        pageBar->addAction(action);
        m_pageActions.push_back(action);
        connect(entry.page, &CompanyInfoPage::changed, this, [this] { m_actSave->setEnabled(true); });
    }

    auto *body = new QHBoxLayout;
    body->addWidget(pageBar);
    body->addWidget(m_pages, 1);
    auto *layoutMain = new QVBoxLayout(this);
    layoutMain->setContentsMargins(0, 0, 0, 6);
    layoutMain->addWidget(m_ribbon);
    layoutMain->addLayout(body, 1);
    resize(900, 640);

    pShowFormInformation();
    WheelGuard::protect(this);
}

void TfrmCompanyInfo::open(CompanyContext &context, QWidget *parent)
{
    TfrmCompanyInfo window(context, parent);
    window.exec();
}

void TfrmCompanyInfo::showPage(QWidget *page)
{
    m_pages->setCurrentWidget(page);
    const auto index = std::size_t(m_pages->indexOf(page));
    m_pageActions[index]->setChecked(true);
}

void TfrmCompanyInfo::pShowFormInformation()
{
    showPage(m_companyPage);
    const CompanyRecord &record = m_context.company;
    for (CompanyInfoPage *page : m_editPages)
        page->load(record);
    m_companyPage->loadLogo(Paths::GetLogoPath(m_context.edition()), record.invData.strLargeLogo);
    m_companyPage->focusCompanyName();
    m_actSave->setEnabled(false);
}

bool TfrmCompanyInfo::pSave()
{
    Prompts &prompts = m_context.prompts();
    CompanyRecord edited = m_context.company;
    for (const CompanyInfoPage *page : m_editPages)
        page->store(edited);

    if (const int option = CompanySettings::GetTaxOptionWithoutName(edited.invData)) {
        showPage(m_taxPage);
        prompts.ShowInformation(QStringLiteral("Please enter a Tax Name for Tax Option %1.").arg(option));
        m_taxPage->focusTaxName(option);
        return false;
    }

    try {
        CompanySettings::pSaveCompanyData(m_context, edited, m_companyPage->logo()->change());
    } catch (const DbError &error) {
        prompts.showError(error.message(), error.detail());
        return false;
    } catch (const FileError &error) {
        prompts.showError(error.message());
        return false;
    }
    m_companyPage->logo()->markSaved();
    m_actSave->setEnabled(false);
    return true;
}

void TfrmCompanyInfo::reject()
{
    if (m_actSave->isEnabled()) {
        switch (m_context.prompts().ShowYesNoCancel(tr("Do you want to save changes to Company Information?"))) {
        case Prompts::Yes:
            if (!pSave())
                return;
            break;
        case Prompts::No:
            break;
        default:
            return;
        }
    }
    QDialog::reject();
}
