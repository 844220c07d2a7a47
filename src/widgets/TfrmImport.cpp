#include "TfrmImport.h"
#include "ReadOnlyList.h"

#include "core/AmountReader.h"
#include "core/Prompts.h"
#include "data/DbError.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
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
        connect(choice, &QComboBox::currentIndexChanged, this, &TfrmImport::columnsChanged);
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
    giveListKeys(m_lstProblems);
    m_lstProblems->verticalHeader()->hide();
    m_lstProblems->horizontalHeader()->setStretchLastSection(true);
    m_lstProblems->setColumnWidth(0, 60);
    m_lstProblems->setColumnWidth(1, 160);
    // The mark is one for the whole file; the user may overrule what its values said.
    m_cmbDecimalMark = new QComboBox(previewBox);
    m_cmbDecimalMark->setObjectName(QStringLiteral("cmbDecimalMark"));
    m_cmbDecimalMark->addItem(tr("point"), int(DecimalMark::Point));
    m_cmbDecimalMark->addItem(tr("comma"), int(DecimalMark::Comma));
    auto *markLabel = new QLabel(tr("&Decimal mark:"), previewBox);
    markLabel->setBuddy(m_cmbDecimalMark);
    m_chkTakeAmbiguous = new QCheckBox(tr("&Take amounts that need a look as read with this decimal mark"), previewBox);
    m_chkTakeAmbiguous->setObjectName(QStringLiteral("chkTakeAmbiguous"));
    auto *marks = new QWidget(previewBox);
    auto *markRow = new QHBoxLayout;
    markRow->setContentsMargins(0, 0, 0, 0);
    markRow->addWidget(markLabel);
    markRow->addWidget(m_cmbDecimalMark);
    markRow->addStretch(1);
    auto *marksLayout = new QVBoxLayout(marks);
    marksLayout->setContentsMargins(0, 0, 0, 0);
    marksLayout->addLayout(markRow);
    marksLayout->addWidget(m_chkTakeAmbiguous);
    m_hasAmounts = std::any_of(job.fields().cbegin(), job.fields().cend(),
                               [](const Csv::FieldSpec &field) { return field.kind == Csv::ValueKind::Decimal; });
    marks->setVisible(m_hasAmounts);
    // Created after the list, shown above it: Tab follows what is seen.
    setTabOrder(m_cmbDecimalMark, m_chkTakeAmbiguous);
    setTabOrder(m_chkTakeAmbiguous, m_lstProblems);
    auto *previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(marks);
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
    columnsChanged();
    connect(m_cmbDecimalMark, &QComboBox::activated, this, [this] {
        m_markChosen = true;
        refreshPreview();
    });
    connect(m_chkTakeAmbiguous, &QCheckBox::toggled, this, &TfrmImport::refreshPreview);
}

TfrmImport::~TfrmImport() = default;

Csv::Mapping TfrmImport::mapping() const
{
    Csv::Mapping mapping;
    for (const QComboBox *choice : m_columnChoices)
        mapping << choice->currentData().toInt();
    return mapping;
}

Csv::DecimalReading TfrmImport::decimalReading() const
{
    return {DecimalMark(m_cmbDecimalMark->currentData().toInt()), m_chkTakeAmbiguous->isChecked()};
}

void TfrmImport::columnsChanged()
{
    m_markDecision = Csv::decideDecimalMark(m_table, m_job.fields(), mapping(), m_job.locale());
    if (!m_markChosen) {
        const QSignalBlocker quiet(m_cmbDecimalMark);
        m_cmbDecimalMark->setCurrentIndex(m_cmbDecimalMark->findData(int(m_markDecision.mark)));
    }
    refreshPreview();
}

void TfrmImport::refreshPreview()
{
    try {
        m_job.prepare(m_table, mapping(), decimalReading());
    } catch (const DbError &error) {
        m_prompts.showError(error.message(), error.detail());
        m_btnImport->setEnabled(false);
        return;
    }
    m_lblSummary->setText(summaryText());
    m_problemModel->setProblems(m_job.problems());
    m_btnImport->setEnabled(m_job.takenCount() > 0);
}

QString TfrmImport::summaryText() const
{
    const auto rows = [](int count) {
        return count == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(count);
    };
    const QString mark = AmountReader::markName(decimalReading().mark);
    QString summary;
    if (m_hasAmounts && m_markChosen)
        summary = tr("Amounts are read with a decimal %1, as you chose. ").arg(mark);
    else if (m_hasAmounts && m_markDecision.fromValues)
        summary = tr("The file's amounts are written with a decimal %1. ").arg(mark);
    else if (m_hasAmounts)
        summary = tr("The file's amounts do not show their decimal mark; they are read with your language's, a %1. ")
                      .arg(mark);
    summary += tr("%1 will be imported").arg(rows(m_job.takenCount()));
    if (m_job.offersExistingChoice() && m_job.matchCount() > 0)
        summary += tr("; %1 of them match a stored one").arg(m_job.matchCount());
    summary += QStringLiteral(". ");
    const QList<Csv::RowProblem> &problems = m_job.problems();
    const int needLook = int(std::count_if(problems.cbegin(), problems.cend(),
                                           [](const Csv::RowProblem &p) { return p.needsLook; }));
    const int faults = int(problems.size()) - needLook;
    if (needLook == 1)
        summary += tr("The amount listed below needs a look: read with a point or with a comma, it is another "
                      "number. Its row is left out unless you take it as read. ");
    else if (needLook > 1)
        summary += tr("The %1 amounts listed below need a look: read with a point or with a comma, each is another "
                      "number. Their rows are left out unless you take them as read. ").arg(needLook);
    if (faults > 0) {
        summary += tr("%1 listed below cannot be taken and will be left out.")
                       .arg(faults == 1 ? tr("The fault") : tr("The %1 faults").arg(faults));
    } else if (needLook == 0) {
        summary += tr("Every row can be taken.");
    }
    return summary.trimmed();
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
