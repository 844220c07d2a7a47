// The pages of the company window that choose colours: one per document kind, and
// the planner's colours with its housekeeping settings.
#include "CompanyInfoPages.h"

#include "CompanyInfoWidgets.h"
#include "core/Prompts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPushButton *colorButton(const QString &caption, const QString &name, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

} // namespace

// ---------------------------------------------------------------- InvoiceColorPage

InvoiceColorPage::InvoiceColorPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent)
    : CompanyInfoPage(parent)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("tbInvoiceColor"));
    struct Kind
    {
        const char *word, *code, *hint;
        QColor CompanyRecord::*member;
        bool shown;
    };
    const Kind kinds[] = {
        {"Estimate", "Est", "Select a color for Estimates", &CompanyRecord::EstColor, true},
        {"Work Order", "WrkOrder", "Select a color for Work Orders", &CompanyRecord::WrkOrderColor,
         layout.workOrderColor},
        {"Change Order", "ChngOrder", "Select a color for Change Orders", &CompanyRecord::ChngOrderColor,
         layout.changeOrderColor},
        {"Invoice", "Inv", "Select a color for Invoices", &CompanyRecord::InvColor, true},
        {"Credit", "Crdt", "Select a color for Credits", &CompanyRecord::CrdtColor, layout.creditAndPastDueColors},
        {"Past Due", "PstDue", "Select a color for Past Due Notices", &CompanyRecord::PstDueColor,
         layout.creditAndPastDueColors},
    };

    auto *select = new QGroupBox(tr("Select Colors"), this);
    auto *grid = new QGridLayout(select);
    QFont sampleFont = font();
    sampleFont.setBold(true);
    sampleFont.setPointSizeF(sampleFont.pointSizeF() * 1.8);
    m_rows.reserve(std::size(kinds));
    int gridRow = 0;
    for (const Kind &kind : kinds) {
        const QString word = tr(kind.word);
        const QString code = QString::fromLatin1(kind.code);
        auto *sample = new QLabel(word + QStringLiteral(" 500"), select);
        sample->setObjectName(QStringLiteral("lbl%1ColorSample").arg(code));
        sample->setFont(sampleFont);
        sample->setMinimumWidth(QFontMetrics(sampleFont).horizontalAdvance(QStringLiteral("Change Order 500 ")));
        auto *bar = new ColorBar(select);
        bar->setObjectName(QStringLiteral("shp%1Color").arg(code));
        bar->setMinimumWidth(120);
        QPushButton *button = colorButton(tr("%1 Color").arg(word), QStringLiteral("btn%1Color").arg(code),
                                          tr(kind.hint), select);
        m_rows.push_back({kind.member, sample, bar, QColor()});
        const std::size_t index = m_rows.size() - 1;
        connect(button, &QPushButton::clicked, this, [this, index] {
            const QColor color = m_prompts.chooseColor(m_rows[index].color);
            if (!color.isValid())
                return;
            setRowColor(m_rows[index], color);
            emit changed();
        });
        if (!kind.shown) {
            // Hidden, the row still keeps its colour, so "All This Color" reaches it.
            for (QWidget *widget : {static_cast<QWidget *>(sample), static_cast<QWidget *>(bar),
                                    static_cast<QWidget *>(button)})
                widget->hide();
            continue;
        }
        grid->addWidget(sample, gridRow, 0);
        grid->addWidget(bar, gridRow, 1);
        grid->addWidget(button, gridRow, 2);
        ++gridRow;
    }

    auto *all = new QGroupBox(tr("All Invoice Types This Color"), select);
    auto *allLayout = new QHBoxLayout(all);
    QPushButton *allButton = colorButton(tr("All This Color"), QStringLiteral("btnAllThisColor"),
                                         tr("Select a color for all Invoice types"), all);
    allLayout->addWidget(allButton);
    allLayout->addStretch(1);
    grid->addWidget(all, gridRow, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    connect(allButton, &QPushButton::clicked, this, [this] {
        const QColor color = m_prompts.chooseColor(m_rows.front().color);
        if (!color.isValid())
            return;
        for (KindRow &row : m_rows)
            setRowColor(row, color);
        emit changed();
    });

    auto *page = new QVBoxLayout(this);
    page->addWidget(select);
    page->addStretch(1);
}

void InvoiceColorPage::setRowColor(KindRow &row, const QColor &color)
{
    row.color = color;
    row.bar->setColor(color);
    QPalette palette = row.sample->palette();
    palette.setColor(QPalette::WindowText, color);
    row.sample->setPalette(palette);
}

void InvoiceColorPage::load(const CompanyRecord &record)
{
    for (KindRow &row : m_rows)
        setRowColor(row, record.*row.member);
}

void InvoiceColorPage::store(CompanyRecord &record) const
{
    for (const KindRow &row : m_rows)
        record.*row.member = row.color;
}

// ---------------------------------------------------------------- PlannerPage

PlannerPage::PlannerPage(Prompts &prompts, QWidget *parent)
    : CompanyInfoPage(parent)
    , m_prompts(prompts)
    , m_removeActivity(new QButtonGroup(this))
    , m_defaultPlanner(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("tbPlannerInfo"));
    struct Choice
    {
        const char *caption, *name, *hint;
    };
    const auto radioGroup = [this](const QString &title, QButtonGroup *buttons, std::initializer_list<Choice> choices) {
        auto *group = new QGroupBox(title, this);
        auto *column = new QVBoxLayout(group);
        int id = 0;
        for (const Choice &choice : choices) {
            auto *radio = new QRadioButton(tr(choice.caption), group);
            radio->setObjectName(QString::fromLatin1(choice.name));
            radio->setToolTip(tr(choice.hint));
            buttons->addButton(radio, id++);
            column->addWidget(radio);
        }
        connect(buttons, &QButtonGroup::idClicked, this, &CompanyInfoPage::changed);
        return group;
    };
    QGroupBox *remove = radioGroup(tr("Automatically remove activities older than"), m_removeActivity,
                                   {{"Do not Remove", "rbRemoveNever", "Do not remove older Activities"},
                                    {"1 Day", "rbRemove1Day", "Remove Activities older than 1 day"},
                                    {"30 Day", "rbRemove30Days", "Remove Activities older than 30 days"},
                                    {"1 Year", "rbRemove1Year", "Remove Activities older than 1 Year"}});
    QGroupBox *planner = radioGroup(tr("Default  Planner"), m_defaultPlanner,
                                    {{"Day Planner", "rbDayPlanner", "Set Default as Day Planner"},
                                     {"Week Planner", "rbWeekPlanner", "Set Default as Week Planner"},
                                     {"Month Planner", "rbMonthPlanner", "Set Default as Month Planner"}});

    auto *colors = new QGroupBox(tr("Planner Color"), this);
    auto *grid = new QGridLayout(colors);
    struct ColorSpec
    {
        const char *label, *caption, *name, *hint;
        QColor PlannerSettings::*member;
    };
    const ColorSpec entries[] = {
        {"High Priority Activity Color", "Priority Color", "btnPriorityColor", "Select a color for Priority Activities",
         &PlannerSettings::PriorityColor},
        {"Activity Color", "Activity Color", "btnActivityColor", "Select a color for Activities",
         &PlannerSettings::ActColor},
        {"Weekend Color", "Weekend Color", "btnWeekendColor", "Select a color for Weekends",
         &PlannerSettings::WkndColor},
    };
    int row = 0;
    for (const ColorSpec &entry : entries) {
        auto *bar = new ColorBar(colors);
        bar->setObjectName(QStringLiteral("shp") + QString::fromLatin1(entry.name).mid(3));
        QPushButton *button = colorButton(tr(entry.caption), QString::fromLatin1(entry.name), tr(entry.hint), colors);
        grid->addWidget(new QLabel(tr(entry.label), colors), row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(button, row, 2);
        m_colors.push_back({entry.member, bar});
        connect(button, &QPushButton::clicked, this, [this, bar] {
            const QColor color = m_prompts.chooseColor(bar->color());
            if (!color.isValid())
                return;
            bar->setColor(color);
            emit changed();
        });
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(remove);
    top->addWidget(planner);
    auto *page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(colors);
    page->addStretch(1);
}

void PlannerPage::load(const CompanyRecord &record)
{
    const PlannerSettings &p = record.planner;
    if (QAbstractButton *button = m_removeActivity->button(p.intRemoveActivity))
        button->setChecked(true);
    if (QAbstractButton *button = m_defaultPlanner->button(p.intDefaultPlanner))
        button->setChecked(true);
    for (const ColorChoice &choice : m_colors)
        choice.bar->setColor(p.*choice.member);
}

void PlannerPage::store(CompanyRecord &record) const
{
    PlannerSettings &p = record.planner;
    // A stored value no button stands for is kept as it is.
    if (m_removeActivity->checkedId() >= 0)
        p.intRemoveActivity = m_removeActivity->checkedId();
    if (m_defaultPlanner->checkedId() >= 0)
        p.intDefaultPlanner = m_defaultPlanner->checkedId();
    for (const ColorChoice &choice : m_colors)
        p.*choice.member = choice.bar->color();
}
