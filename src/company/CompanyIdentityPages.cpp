// The pages of the company window that edit who the company is: identity and
#include "widgets/TextFields.h"
// logo, licences, acceptance area, e-mail and web.
#include "CompanyInfoPages.h"

#include "CompanyInfoWidgets.h"
#include "LogoPanel.h"
#include "core/Prompts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void hideRow(QGridLayout *grid, int row)
{
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (QLayoutItem *item = grid->itemAtPosition(row, column); item && item->widget())
            item->widget()->hide();
    }
}

} // namespace

// ---------------------------------------------------------------- CompanyInfoPage

QLineEdit *CompanyInfoPage::addField(QGridLayout *grid, int row, const QString &label, const QString &name, int limit,
                                     const QString &hint)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    if (limit > 0)
        edit->setMaxLength(limit);
    TextFields::sayWhenRefused(edit);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textEdited, this, &CompanyInfoPage::changed);
    return edit;
}

void CompanyInfoPage::loadFields(const TrecCompanyData &company)
{
    for (const IdentityField &field : m_fields)
        setTextWithinLimit(field.edit, company.*field.member, field.limit);
}

void CompanyInfoPage::storeFields(TrecCompanyData &company) const
{
    for (const IdentityField &field : m_fields)
        company.*field.member = field.edit->text();
}

// ---------------------------------------------------------------- CompanyIdentityPage

CompanyIdentityPage::CompanyIdentityPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent)
    : CompanyInfoPage(parent)
    , m_logo(new LogoPanel(prompts, this))
{
    setObjectName(QStringLiteral("tbCompanyInfo"));
    auto *identity = new QGroupBox(tr("Company Name"), this);
    auto *grid = new QGridLayout(identity);
    using C = TrecCompanyData;
    struct Entry
    {
        const char *label, *name;
        int limit;
        const char *hint;
        QString C::*member;
    };
    const Entry entries[] = {
        {"Company Name", "txtCompName", 45, "Enter your Company Name", &C::strCompName},
        {"Address", "txtCompAddress", 45, "Enter your Address", &C::strCompAddress},
        {"City", "txtCompCity", 25, "Enter your City", &C::strCompCity},
        {"State", "txtCompState", 25, "Enter your State", &C::strCompState},
        {"Zip Code", "txtCompZipCode", 15, "Enter your Zip Code", &C::strCompZip},
        {"Main Phone Number", "txtCompPhoneNumber", 25, "Enter your Phone Number", &C::strCompMainPhone},
        {"Extra Phone Name", "txtCompExtraPhone1Name", 0, "Enter your Extra Phone Name - Cell, Fax ...",
         &C::strCompExtraPhone1Name},
        {"Extra Phone Number", "txtCompExtraPhone1", 0, "Enter your Extra Phone Number", &C::strCompExtraPhone1},
        {"Extra Phone Name", "txtCompExtraPhone2Name", 0, "Enter your Extra Phone Name - Cell, Fax ...",
         &C::strCompExtraPhone2Name},
        {"Extra Phone Number", "txtCompExtraPhone2", 0, "Enter your Extra Phone Number", &C::strCompExtraPhone2},
    };
    int row = 0;
    for (const Entry &entry : entries) {
        QLineEdit *edit = addField(grid, row, tr(entry.label), QString::fromLatin1(entry.name), entry.limit, tr(entry.hint));
        m_fields.push_back({edit, entry.limit, entry.member});
        if (!layout.extraPhones && row >= 6)
            hideRow(grid, row);
        ++row;
    }

    if (!layout.logoSizeChoice)
        m_logo->hideSizeChoice();
    m_logo->setVisible(layout.logoGroup);
    connect(m_logo, &LogoPanel::changed, this, &CompanyInfoPage::changed);

    auto *page = new QHBoxLayout(this);
    page->addWidget(identity, 1, Qt::AlignTop);
    page->addWidget(m_logo, 0, Qt::AlignTop);
}

void CompanyIdentityPage::load(const CompanyRecord &record)
{
    loadFields(record.company);
}

void CompanyIdentityPage::loadLogo(const QString &logoPath, bool large)
{
    m_logo->load(logoPath, large);
}

void CompanyIdentityPage::focusCompanyName()
{
    m_fields.front().edit->setFocus(Qt::OtherFocusReason);
}

void CompanyIdentityPage::store(CompanyRecord &record) const
{
    storeFields(record.company);
    record.invData.strLargeLogo = m_logo->isLarge();
}

// ---------------------------------------------------------------- GeneralInfoPage

GeneralInfoPage::GeneralInfoPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent)
    : CompanyInfoPage(parent)
    , m_prompts(prompts)
    , m_acceptanceArea(new AcceptanceArea(this))
    , m_acceptance(new LineLimitedEdit(5, 250, m_acceptanceArea))
{
    setObjectName(QStringLiteral("tbGeneralInfo"));
    using C = TrecCompanyData;

    auto *licenses = new QGroupBox(tr("Company License Information"), this);
    auto *licenseGrid = new QGridLayout(licenses);
    QString C::*const names[] = {&C::strCompLicName1, &C::strCompLicName2, &C::strCompLicName3};
    QString C::*const numbers[] = {&C::strCompLicNum1, &C::strCompLicNum2, &C::strCompLicNum3};
    for (int line = 0; line < 3; ++line) {
        const int n = line + 1;
        QLineEdit *name = addField(licenseGrid, 2 * line, tr("Company License Name %1").arg(n),
                                   QStringLiteral("txtCompLicenseName%1").arg(n), 30, tr("Enter your Company License Name"));
        QLineEdit *number = addField(licenseGrid, 2 * line + 1, tr("Company License Number %1").arg(n),
                                     QStringLiteral("txtCompLicenseNumber%1").arg(n), 24,
                                     tr("Enter your Company License Number"));
        m_fields.push_back({name, 30, names[line]});
        m_fields.push_back({number, 24, numbers[line]});
        if (line >= layout.licenseLines) {
            hideRow(licenseGrid, 2 * line);
            hideRow(licenseGrid, 2 * line + 1);
        }
    }

    auto *signature = new QGroupBox(tr("Signature line Information"), this);
    signature->setObjectName(QStringLiteral("grpSignatureLine"));
    m_acceptance->setObjectName(QStringLiteral("txtAcceptanceInfo"));
    m_acceptance->setToolTip(tr("Enter Acceptance Information"));
    m_acceptanceArea->setObjectName(QStringLiteral("shpAcceptanceArea"));
    auto *area = new QVBoxLayout(m_acceptanceArea);
    area->setContentsMargins(14, 10, 14, 10);
    area->addWidget(new QLabel(tr("Acceptance Information"), m_acceptanceArea));
    area->addWidget(m_acceptance);
    for (const char *line : {"Signature _____________________________", "Date         _____________________________",
                             "Authorized Signature____________________"})
        area->addWidget(new QLabel(QString::fromLatin1(line), m_acceptanceArea));
    auto *colorButton = new QPushButton(tr("Acceptance Area Color"), signature);
    colorButton->setObjectName(QStringLiteral("btnAcceptanceColor"));
    colorButton->setToolTip(tr("Select Acceptance Information area color"));
    auto *signatureLayout = new QVBoxLayout(signature);
    signatureLayout->addWidget(m_acceptanceArea);
    signatureLayout->addWidget(colorButton, 0, Qt::AlignLeft);
    signature->setVisible(layout.signatureGroup);

    auto *web = new QGroupBox(tr("Email and Web Address"), this);
    web->setObjectName(QStringLiteral("grpEmailWeb"));
    auto *webGrid = new QGridLayout(web);
    m_fields.push_back({addField(webGrid, 0, tr("Email Address"), QStringLiteral("txtCompEmail"), 45,
                                 tr("Enter your Email Address")),
                        45, &C::strCompEmail});
    m_fields.push_back({addField(webGrid, 1, tr("Web Site Address"), QStringLiteral("txtCompWebSite"), 45,
                                 tr("Enter your Web Address")),
                        45, &C::strCompWebSite});
    web->setVisible(layout.emailWebGroup);

    connect(m_acceptance, &LineLimitedEdit::edited, this, &CompanyInfoPage::changed);
    connect(colorButton, &QPushButton::clicked, this, [this] {
        const QColor color = m_prompts.chooseColor(m_acceptanceColor);
        if (!color.isValid())
            return;
        setAcceptanceColor(color);
        emit changed();
    });

    auto *left = new QVBoxLayout;
    left->addWidget(licenses);
    left->addWidget(web);
    left->addStretch(1);
    auto *page = new QHBoxLayout(this);
    page->addLayout(left, 1);
    page->addWidget(signature, 1, Qt::AlignTop);
}

void GeneralInfoPage::setAcceptanceColor(const QColor &color)
{
    m_acceptanceColor = color;
    m_acceptanceArea->setColor(color);
}

void GeneralInfoPage::load(const CompanyRecord &record)
{
    loadFields(record.company);
    m_acceptance->load(record.invData.strAcceptanceInfo);
    setAcceptanceColor(record.invData.AccptColor);
}

void GeneralInfoPage::store(CompanyRecord &record) const
{
    storeFields(record.company);
    record.invData.strAcceptanceInfo = m_acceptance->storedText();
    record.invData.AccptColor = m_acceptanceColor;
}
