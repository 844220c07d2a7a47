#include "TfrmProgressInvoice.h"
#include "ProgressCellEditor.h"
#include "ProgressTableModel.h"

#include "context/AppContext.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "widgets/Mnemonics.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

std::vector<ProgressBilling::ScheduleItem> scheduleOf(const ProgressJobs::Book &book)
{
    std::vector<ProgressBilling::ScheduleItem> schedule;
    schedule.reserve(book.items.size());
    for (const ProgressStore::StoredItem &stored : book.items)
        schedule.push_back(stored.item);
    return schedule;
}

QLabel *figureLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(120);
    return label;
}

} // namespace

TfrmProgressInvoice::TfrmProgressInvoice(AppContext &context, ProgressJobs::Book book, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_book(std::move(book))
    , m_session(scheduleOf(m_book), m_book.before, m_book.terms, context.locale)
    , m_model(std::make_unique<ProgressTableModel>(m_session))
{
    setObjectName(QStringLiteral("frmProgressInvoice"));
    setModal(true);
    setWindowTitle(m_book.customer.isEmpty() ? tr("Progress Invoice - Job %1").arg(m_book.jobId)
                                             : tr("Progress Invoice - Job %1 - %2").arg(m_book.jobId).arg(m_book.customer));

    auto *caption = new QLabel(tr("Type the &percent complete to date or the amount completed to date of each item."), this);
    m_grdSchedule = new QTableView(this);
    m_grdSchedule->setObjectName(QStringLiteral("grdSchedule"));
    caption->setBuddy(m_grdSchedule);
    m_grdSchedule->setModel(m_model.get());
    m_grdSchedule->setItemDelegate(new ProgressCellEditor(m_grdSchedule));
    m_grdSchedule->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                   | QAbstractItemView::EditKeyPressed);
    m_grdSchedule->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdSchedule->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab leaves the grid for the buttons; the arrows move inside it.
    m_grdSchedule->setTabKeyNavigation(false);
    m_grdSchedule->verticalHeader()->hide();
    m_grdSchedule->verticalHeader()->setDefaultSectionSize(m_grdSchedule->fontMetrics().height() + 8);
    m_grdSchedule->horizontalHeader()->setHighlightSections(false);
    m_grdSchedule->horizontalHeader()->setSectionResizeMode(ProgressTableModel::Item, QHeaderView::Stretch);
    for (int column = ProgressTableModel::Value; column < ProgressTableModel::ColumnCount; ++column)
        m_grdSchedule->setColumnWidth(column, column == ProgressTableModel::Percent ? 90 : 125);

    m_lblRefusal = new QLabel(this);
    m_lblRefusal->setObjectName(QStringLiteral("lblRefusal"));
    m_lblRefusal->setTextFormat(Qt::PlainText);
    m_lblRefusal->setWordWrap(true);
    m_lblRefusal->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));

    m_figures = new QFormLayout;
    m_figures->setLabelAlignment(Qt::AlignLeft);
    const TrecCmpnyInvData &company = context.company.invData;
    const QString taxNames[3] = {company.strTaxName1, company.strTaxName2, company.strTaxName3};
    m_figures->addRow(tr("Work Completed This Period:"), figureLabel(this, QStringLiteral("lblWorkThisPeriod")));
    m_figures->addRow(tr("Less Retainage:"), figureLabel(this, QStringLiteral("lblLessRetainage")));
    for (int t = 0; t < 3; ++t) {
        if (m_book.terms.rates[std::size_t(t)] == 0)
            continue;
        const QString name = taxNames[t].trimmed().isEmpty() ? tr("Tax %1").arg(t + 1) : taxNames[t].trimmed();
        auto *caption = new QLabel(name + QLatin1Char(':'), this);
        caption->setTextFormat(Qt::PlainText);
        m_figures->addRow(caption, figureLabel(this, QStringLiteral("lblTax%1").arg(t + 1)));
    }
    m_figures->addRow(tr("Less Deposits Applied:"), figureLabel(this, QStringLiteral("lblLessDeposits")));
    auto *due = figureLabel(this, QStringLiteral("lblAmountDue"));
    QFont bold = due->font();
    bold.setBold(true);
    due->setFont(bold);
    m_figures->addRow(tr("Amount Due:"), due);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    QPushButton *btnSave = buttons->button(QDialogButtonBox::Save);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setText(tr("&Save"));
    btnSave->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmProgressInvoice::reject);

    auto *lower = new QHBoxLayout;
    lower->addWidget(m_lblRefusal, 1, Qt::AlignTop);
    lower->addSpacing(24);
    lower->addLayout(m_figures);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_grdSchedule, 1);
    layout->addLayout(lower);
    layout->addWidget(buttons);

    connect(m_model.get(), &ProgressTableModel::figuresChanged, this, &TfrmProgressInvoice::showFigures);
    showFigures();
    Mnemonics::giveCommands(this);
    resize(1080, 560);
    m_grdSchedule->setFocus();
    m_grdSchedule->setCurrentIndex(m_model->index(0, ProgressTableModel::Percent));
}

TfrmProgressInvoice::~TfrmProgressInvoice() = default;

void TfrmProgressInvoice::showFigures()
{
    const ProgressBilling::Bill &bill = m_session.bill();
    const std::optional<QString> refusal = m_session.refusal();
    const auto show = [&](const QString &name, double cents) {
        if (auto *label = findChild<QLabel *>(name))
            label->setText(refusal ? QStringLiteral("-") : m_session.amountText(cents));
    };
    show(QStringLiteral("lblWorkThisPeriod"), bill.workCents);
    show(QStringLiteral("lblLessRetainage"), bill.retainageCents);
    for (int t = 0; t < 3; ++t)
        show(QStringLiteral("lblTax%1").arg(t + 1), bill.taxCents[std::size_t(t)]);
    show(QStringLiteral("lblLessDeposits"), bill.depositsAppliedCents);
    show(QStringLiteral("lblAmountDue"), bill.amountDueCents());
    m_lblRefusal->setText(refusal.value_or(bill.isCredit() ? tr("This bill lowers what was billed: it is saved as a Credit of the job.")
                                                           : QString()));
}

bool TfrmProgressInvoice::save()
{
    if (const std::optional<QString> refusal = m_session.refusal()) {
        m_context.prompts().showError(*refusal);
        return false;
    }
    try {
        const ProgressJobs::Saved saved = ProgressJobs::saveBill(m_context, m_book, m_session.completedToDateCents());
        if (saved.refusal) {
            m_context.prompts().showError(*saved.refusal);
            return false;
        }
        m_savedNumber = saved.number;
        m_session.markSaved();
        return true;
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    } catch (const std::exception &error) {
        m_context.prompts().showError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void TfrmProgressInvoice::reject()
{
    if (m_session.isChanged()) {
        switch (m_context.prompts().ShowYesNoCancel(tr("Save changes to this Progress Invoice?"))) {
        case Prompts::Yes:
            if (save())
                accept();
            return;
        case Prompts::No:
            break;
        default:
            return;
        }
    }
    QDialog::reject();
}
