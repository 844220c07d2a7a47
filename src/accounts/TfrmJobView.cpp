#include "TfrmJobView.h"
#include "AccountTables.h"
#include "JobProgressPanel.h"
#include "TableOutput.h"

#include "context/AppContext.h"
#include "context/WindowOpening.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "invoice/Money.h"
#include "widgets/InputGuards.h"
#include "widgets/ListPlace.h"
#include "widgets/Mnemonics.h"
#include "widgets/ReadOnlyList.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kPixelsPerInch = 96;
constexpr int kCustomerColumn = 2;

} // namespace

TfrmJobView::TfrmJobView(AppContext &context, int number, bool opensDocuments, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_number(number)
    , m_opensDocuments(opensDocuments && context.windows)
{
    setObjectName(QStringLiteral("frmJobView"));
    setModal(true);

    m_output = std::make_unique<TableOutput>(TableOutput::make(this, context, [this] { return printout(); }));

    m_lblCustomer = new QLabel(this);
    m_lblCustomer->setObjectName(QStringLiteral("lblCustomer"));
    m_lblCustomer->setTextFormat(Qt::PlainText);
    QFont customerFont = m_lblCustomer->font();
    customerFont.setBold(true);
    m_lblCustomer->setFont(customerFont);

    m_lstvwJob = makeReadOnlyList(this, QStringLiteral("lstvwJob"), &m_model);
    m_lstvwJob->horizontalHeader()->setSectionsClickable(false);
    m_lstvwJob->horizontalHeader()->setStretchLastSection(false);
    m_lstvwJob->setToolTip(m_opensDocuments ? tr("Double-click or press Enter to open the document")
                                            : tr("The job's documents"));

    auto *summary = m_summaryLayout = new QFormLayout;
    summary->setLabelAlignment(Qt::AlignLeft);
    // The last four show once the job bills by progress.
    static const char *const names[] = {"lblBilled",      "lblToBeBilled",      "lblDepositsRequired",
                                        "lblReceived",    "lblToBePaid",        "lblContractSum",
                                        "lblCompletedToDate", "lblRetainageHeld", "lblBalanceToFinish"};
    for (const char *name : names) {
        auto *value = new QLabel(this);
        value->setObjectName(QLatin1String(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(110);
        m_summary << value;
        summary->addRow(new QLabel(this), value);
    }
    auto *summaryRow = new QHBoxLayout;
    summaryRow->addStretch(1);
    summaryRow->addLayout(summary);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addWidget(m_lblCustomer);
    body->addWidget(m_lstvwJob, 1);
    body->addLayout(summaryRow);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(m_output->bar);
    layout->addLayout(body, 1);

    pShowJob();
    if (context.edition().billsByProgress()) {
        auto *progress = new JobProgressPanel(context, number, m_job.jobId, this);
        body->insertWidget(2, progress);
        connect(progress, &JobProgressPanel::jobChanged, this, &TfrmJobView::pShowJob);
    }
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmJobView::pShowChangesFromElsewhere);
    for (int column = 0; column < m_model.columnCount(); ++column)
        m_lstvwJob->setColumnWidth(column, int(m_model.table().widths.value(column) * kPixelsPerInch));
    m_lstvwJob->horizontalHeader()->setSectionResizeMode(kCustomerColumn, QHeaderView::Stretch);

    // Enter or a double click, as the platform activates a list item.
    connect(m_lstvwJob, &QTableView::activated, this, &TfrmJobView::openDocument);

    Mnemonics::giveCommands(this);
    resize(900, 480);
    m_lstvwJob->setFocus();
}

TfrmJobView::~TfrmJobView() = default;

void TfrmJobView::pShowJob()
{
    try {
        m_job = JobSummary::ofDocument(m_context, m_number);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    } catch (const std::exception &error) {
        m_context.prompts().showError(QString::fromLocal8Bit(error.what()));
    }
    const ListPlace place(m_lstvwJob, 0);
    showJob();
    place.restore();
}

void TfrmJobView::pShowChangesFromElsewhere()
{
    try {
        m_job = JobSummary::ofDocument(m_context, m_number);
    } catch (const std::exception &) {
        // Nobody asked for this look: the job stays as shown until the next one.
        return;
    }
    const ListPlace place(m_lstvwJob, 0);
    showJob();
    place.restore();
}

void TfrmJobView::showJob()
{
    setWindowTitle(tr("Job %1").arg(m_job.jobId));
    m_lblCustomer->setText(AccountTables::jobCustomer(m_job));
    m_model.setTable(AccountTables::jobDocuments(m_job, m_context.locale));
    const QList<AccountTables::SummaryLine> lines = AccountTables::jobSummary(m_job);
    for (int i = 0; i < m_summary.size(); ++i) {
        const bool shown = i < lines.size();
        m_summaryLayout->setRowVisible(i, shown);
        if (!shown)
            continue;
        m_summary.at(i)->setText(Money::currencyText(lines.at(i).amount, m_context.locale));
        auto *caption = qobject_cast<QLabel *>(m_summaryLayout->itemAt(i, QFormLayout::LabelRole)->widget());
        caption->setText(lines.at(i).caption + QLatin1Char(':'));
    }
    if (!m_lstvwJob->currentIndex().isValid() && m_model.rowCount() > 0)
        m_lstvwJob->setCurrentIndex(m_model.index(0, 0));
    const bool any = !m_job.documents.isEmpty();
    for (QAction *output : {m_output->actPrint, m_output->actPrintPreview, m_output->actPDF})
        output->setEnabled(any);
}

void TfrmJobView::openDocument(const QModelIndex &index)
{
    if (!m_opensDocuments || !index.isValid() || index.row() >= m_job.documents.size())
        return;
    TrecInvHeader &h = m_context.document.header;
    h.blnNewInvoice = false;
    h.intInvNumber = m_job.documents.at(index.row()).header.intInvNumber;
    {
        // The second click of a double click must not land in the editor.
        const ClickSequenceGuard restOfClick;
        m_context.windows->openInvoiceEditor(this);
    }
    pShowJob();
}

TablePrintout TfrmJobView::printout() const
{
    return AccountTables::jobPrintout(m_job, m_context.locale);
}
