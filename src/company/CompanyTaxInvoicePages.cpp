// The pages of the company window that set how documents are priced and worded:
// taxes, payment terms, foot notes, validity days and deposit.
#include "CompanyInfoPages.h"

#include "CompanyInfoWidgets.h"
#include "widgets/InputGuards.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

// ---------------------------------------------------------------- TaxPage

TaxPage::TaxPage(const CompanyInfoLayout &layout, QWidget *parent)
    : CompanyInfoPage(parent)
    , m_taxOn(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("tbTaxs"));
    auto *page = new QVBoxLayout(this);
    for (int i = 0; i < 3; ++i) {
        const int option = i + 1;
        auto *group = new QGroupBox(tr("Tax Option %1").arg(option), this);
        auto *grid = new QGridLayout(group);
        m_names[i] = addField(grid, 0, tr("Tax Name"), QStringLiteral("txtTaxName%1").arg(option), 25,
                              tr("Enter a name for this tax option"));
        m_rates[i] = new TaxRateEdit(group);
        m_rates[i]->setObjectName(QStringLiteral("txtTax%1").arg(option));
        m_rates[i]->setToolTip(tr("Enter a tax amount for this tax option"));
        auto *rateLabel = new QLabel(tr("Tax Amount"), group);
        rateLabel->setBuddy(m_rates[i]);
        grid->addWidget(rateLabel, 1, 0);
        grid->addWidget(m_rates[i], 1, 1, Qt::AlignLeft);
        auto *nameInfo = new QLabel(QStringLiteral("Enter the name of the tax. \nExample: Local Tax, City Tax, \n"
                                                   "State Tax, Federal Tax "),
                                    group);
        auto *rateInfo = new QLabel(QStringLiteral("Enter the tax amount. \nExample: 5 Percent = 0.0500 \n\n"
                                                   "You may enter up to 4 digits, \nExample: 0.1234 "),
                                    group);
        for (QLabel *info : {nameInfo, rateInfo})
            info->setEnabled(false); // fixed help text, shown muted
        grid->addWidget(nameInfo, 0, 2, 2, 1);
        grid->addWidget(rateInfo, 0, 3, 2, 1);
        grid->setColumnStretch(1, 1);
        connect(m_rates[i], &TaxRateEdit::rateEdited, this, &CompanyInfoPage::changed);
        page->addWidget(group);
    }

    auto *taxOn = new QGroupBox(tr("Tax On . . ."), this);
    taxOn->setObjectName(QStringLiteral("rgTaxOn"));
    taxOn->setToolTip(tr("Set Tax on Labor, Material or both, when tax is used"));
    auto *taxOnRow = new QHBoxLayout(taxOn);
    const char *const items[] = {"Labor and Material", "Labor", "Material"};
    const char *const names[] = {"rbTaxOnLaborMaterial", "rbTaxOnLabor", "rbTaxOnMaterial"};
    for (int index = 0; index < 3; ++index) {
        auto *radio = new QRadioButton(tr(items[index]), taxOn);
        radio->setObjectName(QString::fromLatin1(names[index]));
        m_taxOn->addButton(radio, index);
        taxOnRow->addWidget(radio);
    }
    taxOnRow->addStretch(1);
    taxOn->setVisible(layout.taxOnGroup);
    connect(m_taxOn, &QButtonGroup::idClicked, this, &CompanyInfoPage::changed);
    page->addWidget(taxOn);
    page->addStretch(1);
}

void TaxPage::load(const CompanyRecord &record)
{
    const TrecCmpnyInvData &d = record.invData;
    const QString names[] = {d.strTaxName1, d.strTaxName2, d.strTaxName3};
    const double rates[] = {d.dbTaxRate1, d.dbTaxRate2, d.dbTaxRate3};
    for (int i = 0; i < 3; ++i) {
        setTextWithinLimit(m_names[i], names[i], 25);
        m_rates[i]->setRate(rates[i]);
    }
    if (QAbstractButton *button = m_taxOn->button(d.intTaxOn))
        button->setChecked(true);
}

void TaxPage::store(CompanyRecord &record) const
{
    TrecCmpnyInvData &d = record.invData;
    d.strTaxName1 = m_names[0]->text();
    d.strTaxName2 = m_names[1]->text();
    d.strTaxName3 = m_names[2]->text();
    d.dbTaxRate1 = m_rates[0]->rate();
    d.dbTaxRate2 = m_rates[1]->rate();
    d.dbTaxRate3 = m_rates[2]->rate();
    if (m_taxOn->checkedId() >= 0)
        d.intTaxOn = m_taxOn->checkedId();
}

void TaxPage::focusTaxName(int option)
{
    m_names[option - 1]->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- InvoiceInfoPage

InvoiceInfoPage::InvoiceInfoPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent)
    : CompanyInfoPage(parent)
    , m_terms(new PaymentTermsEditor(prompts, this))
    , m_estimateDays(new SpinField(this))
    , m_depositPercent(new SpinField(this))
{
    setObjectName(QStringLiteral("tbInvoiceInfo"));
    connect(m_terms, &PaymentTermsEditor::changed, this, &CompanyInfoPage::changed);

    auto *footNotes = new QGroupBox(tr("Invoice Foot Notes"), this);
    auto *notesLayout = new QVBoxLayout(footNotes);
    for (int i = 0; i < 3; ++i) {
        m_footNotes[i] = new LineLimitedEdit(5, -1, footNotes);
        m_footNotes[i]->setObjectName(QStringLiteral("txtFootNote%1").arg(i + 1));
        m_footNotes[i]->setToolTip(tr("Enter a Invoice Foot Note"));
        notesLayout->addWidget(new QLabel(tr("Foot Note %1").arg(i + 1), footNotes));
        notesLayout->addWidget(m_footNotes[i]);
        connect(m_footNotes[i], &LineLimitedEdit::edited, this, &CompanyInfoPage::changed);
    }

    auto *numbers = new QGroupBox(layout.estimateOnlyTexts ? tr("Deposit percent, Number of Estimate Days")
                                                           : tr("Deposit percent, Number of Estimate/Change Order Days"),
                                  this);
    auto *numbersGrid = new QGridLayout(numbers);
    m_estimateDays->setObjectName(QStringLiteral("spnNumEstDays"));
    m_estimateDays->setRange(0, 180);
    m_estimateDays->setToolTip(tr("Number of days a Estimate is good for"));
    m_depositPercent->setObjectName(QStringLiteral("spnDepPercent"));
    m_depositPercent->setRange(0, 100);
    m_depositPercent->setToolTip(tr("Enter a Deposit Percent"));
    numbersGrid->addWidget(new QLabel(layout.estimateOnlyTexts
                                          ? tr("Number of days an Estimate is Valid for:")
                                          : tr("Number of days an Estimate/Change Order is Valid for:"),
                                      numbers),
                           0, 0);
    numbersGrid->addWidget(m_estimateDays, 0, 1);
    numbersGrid->addWidget(new QLabel(tr("If you require a deposit, enter the percent:"), numbers), 1, 0);
    numbersGrid->addWidget(m_depositPercent, 1, 1);
    for (QSpinBox *spin : {m_estimateDays, m_depositPercent}) {
        spin->findChild<QLineEdit *>()->setReadOnly(true); // the arrows only
        connect(spin, &QSpinBox::valueChanged, this, &CompanyInfoPage::changed);
    }

    auto *left = new QVBoxLayout;
    left->addWidget(m_terms);
    left->addWidget(numbers);
    left->addStretch(1);
    auto *page = new QHBoxLayout(this);
    page->addLayout(left);
    page->addWidget(footNotes, 1, Qt::AlignTop);
}

void InvoiceInfoPage::load(const CompanyRecord &record)
{
    const TrecCmpnyInvData &d = record.invData;
    QStringList terms;
    for (int t = 1; t <= PaymentTermsEditor::kMaxTerms; ++t) {
        if (!d.strInvTerms[std::size_t(t)].isEmpty())
            terms << d.strInvTerms[std::size_t(t)];
    }
    m_terms->setTerms(terms);
    for (int i = 0; i < 3; ++i)
        m_footNotes[i]->load(d.strInvFootNote[std::size_t(i + 1)]);
    const QSignalBlocker daysQuiet(m_estimateDays);
    const QSignalBlocker depositQuiet(m_depositPercent);
    m_estimateDays->setValue(d.intNumEstDays);
    m_depositPercent->setValue(d.intDepPercent);
}

void InvoiceInfoPage::store(CompanyRecord &record) const
{
    TrecCmpnyInvData &d = record.invData;
    const QStringList terms = m_terms->terms();
    for (int t = 1; t <= PaymentTermsEditor::kMaxTerms; ++t)
        d.strInvTerms[std::size_t(t)] = t <= terms.size() ? terms[t - 1] : QString();
    for (int i = 0; i < 3; ++i)
        d.strInvFootNote[std::size_t(i + 1)] = m_footNotes[i]->storedText();
    d.intNumEstDays = m_estimateDays->value();
    d.intDepPercent = m_depositPercent->value();
}
