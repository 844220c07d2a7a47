#include "TfrmImport.h"

#include "core/Prompts.h"
#include "data/DbError.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

/// The rows that cannot be taken, as a list: row, field, reason.
class RowProblemModel final : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setProblems(const QList<Csv::RowProblem> &problems)
    {
        beginResetModel();
        m_problems = problems;
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_problems.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const Csv::RowProblem &p = m_problems[index.row()];
        switch (index.column()) {
        case 0:
            return p.rowNumber;
        case 1:
            return p.field.isEmpty() ? QStringLiteral("(whole row)") : p.field;
        default:
            return p.reason;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const QStringList captions = {QStringLiteral("Row"), QStringLiteral("Field"), QStringLiteral("Reason")};
        return captions.value(section);
    }

private:
    QList<Csv::RowProblem> m_problems;
};

TfrmImport::TfrmImport(Csv::ImportJob &job, const Csv::Table &table, const QString &fileName, Prompts &prompts,
                       QWidget *parent)
    : QDialog(parent)
    , m_job(job)
    , m_table(table)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(job.title());

    auto *file = new QLabel(tr("File: %1, %2 rows under the header row")
                                .arg(QFileInfo(fileName).fileName())
                                .arg(table.rowCount()),
                            this);

    // One choice per field, preset from the header names.
    auto *columnsBox = new QGroupBox(tr("&Columns of the file"), this);
    auto *form = new QFormLayout;
    const Csv::Mapping guessed = Csv::matchColumns(table.headers, job.fields());
    for (qsizetype f = 0; f < job.fields().size(); ++f) {
        auto *choice = new QComboBox(columnsBox);
        choice->setObjectName(QStringLiteral("cmbColumn%1").arg(f));
        choice->addItem(tr("(not imported)"), -1);
        for (qsizetype c = 0; c < table.headers.size(); ++c) {
            const QString header = table.headers[c].isEmpty() ? tr("(column %1)").arg(c + 1) : table.headers[c];
            choice->addItem(header, int(c));
        }
        choice->setCurrentIndex(guessed[f] + 1);
        connect(choice, &QComboBox::currentIndexChanged, this, &TfrmImport::refreshPreview);
        form->addRow(job.fields()[f].caption + QLatin1Char(':'), choice);
        m_columnChoices << choice;
    }
    auto *inner = new QWidget;
    inner->setLayout(form);
    auto *scroll = new QScrollArea(columnsBox);
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    (new QVBoxLayout(columnsBox))->addWidget(scroll);

    auto *previewBox = new QGroupBox(tr("Preview"), this);
    m_lblSummary = new QLabel(previewBox);
    m_lblSummary->setObjectName(QStringLiteral("lblSummary"));
    m_lblSummary->setWordWrap(true);
    m_problemModel = new RowProblemModel(this);
    m_lstProblems = new QTableView(previewBox);
    m_lstProblems->setObjectName(QStringLiteral("lstProblems"));
    m_lstProblems->setModel(m_problemModel);
    m_lstProblems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstProblems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstProblems->verticalHeader()->hide();
    m_lstProblems->horizontalHeader()->setStretchLastSection(true);
    m_lstProblems->setColumnWidth(0, 60);
    m_lstProblems->setColumnWidth(1, 160);
    auto *previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(m_lblSummary);
    previewLayout->addWidget(m_lstProblems, 1);
    if (job.offersExistingChoice()) {
        m_rbSkipExisting = new QRadioButton(tr("&Skip rows that match a stored one"), previewBox);
        m_rbSkipExisting->setObjectName(QStringLiteral("rbSkipExisting"));
        m_rbUpdateExisting = new QRadioButton(tr("&Update the stored one with the row"), previewBox);
        m_rbUpdateExisting->setObjectName(QStringLiteral("rbUpdateExisting"));
        m_rbSkipExisting->setChecked(true);
        previewLayout->addWidget(m_rbSkipExisting);
        previewLayout->addWidget(m_rbUpdateExisting);
    }

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_btnImport = m_buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    m_btnImport->setObjectName(QStringLiteral("btnImport"));
    m_btnImport->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] { actImportExecute(); });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *columns = new QHBoxLayout;
    columns->addWidget(columnsBox, 2);
    columns->addWidget(previewBox, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addLayout(columns, 1);
    layout->addWidget(m_buttons);
    resize(920, 520);
    refreshPreview();
}

TfrmImport::~TfrmImport() = default;

Csv::Mapping TfrmImport::mapping() const
{
    Csv::Mapping mapping;
    for (const QComboBox *choice : m_columnChoices)
        mapping << choice->currentData().toInt();
    return mapping;
}

void TfrmImport::refreshPreview()
{
    try {
        m_job.prepare(m_table, mapping());
    } catch (const DbError &error) {
        m_prompts.showError(error.message());
        m_btnImport->setEnabled(false);
        return;
    }
    const int taken = m_job.takenCount();
    const auto rows = [](int count) {
        return count == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(count);
    };
    QString summary = tr("%1 will be imported").arg(rows(taken));
    if (m_job.offersExistingChoice() && m_job.matchCount() > 0)
        summary += tr("; %1 of them match a stored one").arg(m_job.matchCount());
    summary += QStringLiteral(". ");
    const int faults = int(m_job.problems().size());
    summary += faults == 0 ? tr("Every row can be taken.")
                           : tr("%1 listed below cannot be taken and will be left out.")
                                 .arg(faults == 1 ? tr("The fault") : tr("The %1 faults").arg(faults));
    m_lblSummary->setText(summary);
    m_problemModel->setProblems(m_job.problems());
    m_btnImport->setEnabled(taken > 0);
}

bool TfrmImport::actImportExecute()
{
    const Csv::ExistingRows existing = m_rbUpdateExisting && m_rbUpdateExisting->isChecked()
        ? Csv::ExistingRows::Update
        : Csv::ExistingRows::Skip;
    std::optional<Csv::ImportOutcome> outcome;
    QString failure;
    {
        // Gone before any message below, so none is hidden under it.
        QProgressDialog progress(tr("Importing rows..."), tr("Cancel"), 0, m_job.takenCount(), this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        try {
            outcome = m_job.apply(existing, [&progress](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
                return !progress.wasCanceled();
            });
        } catch (const DbError &error) {
            failure = error.message();
        }
    }
    if (!failure.isEmpty()) {
        m_prompts.showError(tr("Nothing was imported:\n%1").arg(failure));
        return false;
    }
    if (!outcome) {
        m_prompts.ShowInformation(tr("The import was cancelled; nothing was imported."));
        return false;
    }
    m_prompts.ShowInformation(tr("Imported: %1 added, %2 updated, %3 skipped.")
                                  .arg(outcome->added)
                                  .arg(outcome->updated)
                                  .arg(outcome->skipped));
    accept();
    return true;
}
