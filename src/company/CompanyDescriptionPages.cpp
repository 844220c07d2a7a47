// The pages of the company window that choose what the printed document's lines show.
#include "CompanyInfoPages.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

// ---------------------------------------------------------------- InvoiceDescriptionPage

InvoiceDescriptionPage::InvoiceDescriptionPage(QWidget *parent)
    : CompanyInfoPage(parent)
{
    setObjectName(QStringLiteral("tbInvoiceDescriptionCorvalo"));
    auto *group = new QGroupBox(tr("Invoice Description"), this);

    auto *sample = new QFrame(group);
    sample->setObjectName(QStringLiteral("pnlDescriptionSample"));
    sample->setFrameShape(QFrame::StyledPanel);
    sample->setAutoFillBackground(true);
    QPalette paper = sample->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    sample->setPalette(paper);
    auto *grid = new QGridLayout(sample);
    grid->setHorizontalSpacing(24);
    QFont bold = font();
    bold.setBold(true);
    auto *description = new QLabel(tr("Description"), sample);
    description->setFont(bold);
    grid->addWidget(description, 0, 0);
    grid->addWidget(new QLabel(tr("Sample Price Item Line 1"), sample), 1, 0);
    grid->addWidget(new QLabel(tr("Sample Price Item Line 2"), sample), 2, 0);
    // Slot 1 is the rightmost column; the columns fill from the right.
    for (int slot = 0; slot < 3; ++slot) {
        const int column = 3 - slot;
        m_headings[slot] = new QLabel(sample);
        m_headings[slot]->setObjectName(QStringLiteral("lblSampleHeading%1").arg(slot + 1));
        m_headings[slot]->setFont(bold);
        grid->addWidget(m_headings[slot], 0, column, Qt::AlignRight);
        for (int line = 0; line < 2; ++line) {
            m_values[line][slot] = new QLabel(sample);
            m_values[line][slot]->setObjectName(QStringLiteral("lblSampleLine%1Value%2").arg(line + 1).arg(slot + 1));
            grid->addWidget(m_values[line][slot], line + 1, column, Qt::AlignRight);
        }
        grid->setColumnMinimumWidth(column, 70);
    }
    grid->setColumnStretch(0, 1);

    const auto box = [group, this](const QString &caption, const QString &name, const QString &hint) {
        auto *check = new QCheckBox(caption, group);
        check->setObjectName(name);
        check->setToolTip(hint);
        connect(check, &QCheckBox::clicked, this, &CompanyInfoPage::changed);
        return check;
    };
    m_quantity = box(tr("Quantity"), QStringLiteral("ckbxShowQuantity"), tr("Check to show Quantity on Invoice"));
    m_priceEach = box(tr("Price Each"), QStringLiteral("ckbxShowPrcEach"), tr("Check to show Price Each on Invoice"));
    m_total = box(tr("Total"), QStringLiteral("ckbxShowTotal"), tr("Check to show line Total on Invoice"));
    m_totalOnWorkOrder = box(tr("Show Total on Work Order"), QStringLiteral("ckbxShowTotalonWO"),
                             tr("Check to show Total on Work Order"));
    for (QCheckBox *column : {m_quantity, m_priceEach, m_total})
        connect(column, &QCheckBox::clicked, this, &InvoiceDescriptionPage::rebuildSample);

    auto *layout = new QVBoxLayout(group);
    layout->addWidget(sample);
    for (QCheckBox *check : {m_quantity, m_priceEach, m_total, m_totalOnWorkOrder})
        layout->addWidget(check);
    auto *page = new QVBoxLayout(this);
    page->addWidget(group);
    page->addStretch(1);
}

void InvoiceDescriptionPage::rebuildSample()
{
    struct Column
    {
        const QCheckBox *box;
        QString heading, line1, line2;
    };
    const Column order[] = {{m_total, tr("Total"), QStringLiteral("$24.75"), QStringLiteral("$177.24")},
                            {m_priceEach, tr("Price Each"), QStringLiteral("$4.95"), QStringLiteral("$12.66")},
                            {m_quantity, tr("Quantity"), QStringLiteral("5"), QStringLiteral("14")}};
    int slot = 0;
    for (const Column &column : order) {
        if (!column.box->isChecked())
            continue;
        m_headings[slot]->setText(column.heading);
        m_values[0][slot]->setText(column.line1);
        m_values[1][slot]->setText(column.line2);
        ++slot;
    }
    for (; slot < 3; ++slot) {
        m_headings[slot]->clear();
        m_values[0][slot]->clear();
        m_values[1][slot]->clear();
    }
}

void InvoiceDescriptionPage::load(const CompanyRecord &record)
{
    const TrecCmpnyInvData &d = record.invData;
    m_quantity->setChecked(d.strShowQuantity);
    m_priceEach->setChecked(d.strShowPrcEach);
    m_total->setChecked(d.strShowTotal);
    m_totalOnWorkOrder->setChecked(d.strShowTotalonWO);
    rebuildSample();
}

void InvoiceDescriptionPage::store(CompanyRecord &record) const
{
    TrecCmpnyInvData &d = record.invData;
    d.strShowQuantity = m_quantity->isChecked();
    d.strShowPrcEach = m_priceEach->isChecked();
    d.strShowTotal = m_total->isChecked();
    d.strShowTotalonWO = m_totalOnWorkOrder->isChecked();
}

// ---------------------------------------------------------------- WorkSheetDescriptionPage

WorkSheetDescriptionPage::WorkSheetDescriptionPage(QWidget *parent)
    : CompanyInfoPage(parent)
{
    setObjectName(QStringLiteral("tbInvoiceDescriptionHeddrin"));
    auto *group = new QGroupBox(tr("Invoice Description"), this);
    auto *layout = new QVBoxLayout(group);
    using I = TrecCmpnyInvData;
    struct Entry
    {
        const char *caption, *name;
        bool I::*member;
    };
    // SQFT and work sheet total are the quantity and total columns of the other editions.
    const Entry entries[] = {
        {"Show Total on Work Order", "ckbxWorkSheetShowTotalonWO", &I::strShowTotalonWO},
        {"Show Work Sheet Information", "ckbxShowWorkSheetInfo", &I::strShowWorkSheetInfo},
        {"Show Surface Prep", "ckbxShowSurfacePrep", &I::strShowSurfacePrep},
        {"Show Work Sheet Add-ons", "ckbxShowWorkSheetAddons", &I::strShowWorkSheetAddons},
        {"Show Wallpaper Work", "ckbxShowWallpaper", &I::strShowWallpaper},
        {"Show Extra Charges", "ckbxShowExtraCharges", &I::strShowExtraCharges},
        {"Show Work Sheet SQFT", "ckbxShowWorkSheetSQFT", &I::strShowQuantity},
        {"Show Work Sheet Total", "ckbxShowWorkSheetTotal", &I::strShowTotal},
    };
    for (const Entry &entry : entries) {
        auto *check = new QCheckBox(tr(entry.caption), group);
        check->setObjectName(QString::fromLatin1(entry.name));
        layout->addWidget(check);
        connect(check, &QCheckBox::clicked, this, &CompanyInfoPage::changed);
        m_flags.push_back({check, entry.member});
    }
    m_flags.front().box->setToolTip(tr("Check to show Total on Work Order"));
    auto *page = new QVBoxLayout(this);
    page->addWidget(group);
    page->addStretch(1);
}

void WorkSheetDescriptionPage::load(const CompanyRecord &record)
{
    for (const Flag &flag : m_flags)
        flag.box->setChecked(record.invData.*flag.member);
}

void WorkSheetDescriptionPage::store(CompanyRecord &record) const
{
    for (const Flag &flag : m_flags)
        record.invData.*flag.member = flag.box->isChecked();
}
