#include "TfrmPriceHeddrin.h"

#include "WorkSheetPriceStore.h"
#include "WorkSheetPriceTransfer.h"
#include "context/AppContext.h"
#include "widgets/CommandBar.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "core/Prompts.h"
#include "widgets/ReadOnlyList.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "widgets/ListPlace.h"
#include "data/SavingIndicator.h"
#include "core/AmountReader.h"
#include "invoice/Money.h"
#include "printing/ListReports.h"
#include "core/PrintModule.h"
#include "widgets/CsvFiles.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

TfrmPriceHeddrin::TfrmPriceHeddrin(AppContext &context, QWidget *parent, ListUse use)
    : QDialog(parent)
    , m_context(context)
    , m_documentMode(use == ListUse::PickForDocument)
    , m_model(new QStandardItemModel(0, ColumnCount, this))
    , m_lstPrice(makeReadOnlyList(this, QStringLiteral("lstPrice"), m_model))
    , m_txtPriceItmDiscription(FormFields::textField(this, QStringLiteral("txtPriceItmDiscription"), 45, {}))
    , m_txtLaborPrice(FormFields::amountField(this, QStringLiteral("txtLaborPrice"),
                                              AmountReader::kPriceFieldLength, {}, context.locale))
    , m_txtMatPrice(FormFields::amountField(this, QStringLiteral("txtMatPrice"),
                                            AmountReader::kPriceFieldLength, {}, context.locale))
    , m_lblPriceItmID(new QLabel(this))
{
    setObjectName(QStringLiteral("frmPriceHeddrin"));
    setModal(true);
    m_txtPriceItmDiscription->setReadOnly(true);
    m_lblPriceItmID->setObjectName(QStringLiteral("lblPriceItmID"));
    m_lblPriceItmID->hide();

    QToolBar *bar = makeCommandBar(this, QStringLiteral("ToolBarPrice"));
    m_actClose = addCommand(bar, QStringLiteral("actClose"), tr("Close"), tr("Close"), Icons::Command::Close);
    bar->addSeparator();
    m_actSave = addCommand(bar, QStringLiteral("actSave"), tr("Save"), tr("Save current Price Item to your list"),
                           Icons::Command::Save);
    m_actCancel = addCommand(bar, QStringLiteral("actCancel"), tr("Cancel"), tr("Cancel Edit of this price Item"),
                             Icons::Command::Cancel);
    bar->addSeparator();
    m_actPrintPreview = addCommand(bar, QStringLiteral("actPrintPreview"), tr("Print Preview"),
                                   tr("Print Preview current Price list"), Icons::Command::PrintPreview);
    m_actPrint = addCommand(bar, QStringLiteral("actPrint"), tr("Print"), tr("Print current Price list"),
                            Icons::Command::Print);
    bar->addSeparator();
    m_actImport = addCommand(bar, QStringLiteral("actImport"), tr("&Import..."),
                             tr("Change prices from a CSV file, matched by item number"), Icons::Command::Import);
    m_actExport = addCommand(bar, QStringLiteral("actExport"), tr("E&xport..."),
                             tr("Save the Price list as a CSV file"), Icons::Command::Export);
    // A document's own prices are changed one by one; the files are for the company's list.
    m_actImport->setVisible(!m_documentMode);
    m_actExport->setVisible(!m_documentMode);
    bar->addSeparator();
    m_actHelp = addCommand(bar, QStringLiteral("actHelp"), tr("Help"), tr("Help"), Icons::Command::Help);

    m_model->setHorizontalHeaderLabels({tr("Description"), tr("Labor Price"), tr("Material Price"),
                                        QStringLiteral("LabPrice"), QStringLiteral("MatPrice"),
                                        QStringLiteral("PriceItmID")});
    QHeaderView *header = m_lstPrice->horizontalHeader();
    header->setSectionResizeMode(Description, QHeaderView::Stretch);
    header->resizeSection(LaborText, 120);
    header->resizeSection(MaterialText, 120);
    for (int column : {LabPrice, MatPrice, PriceItmID})
        m_lstPrice->setColumnHidden(column, true);

    auto *edit = new QFormLayout;
    edit->addRow(tr("Price Item Description"), m_txtPriceItmDiscription);
    edit->addRow(tr("Labor Price"), m_txtLaborPrice);
    edit->addRow(tr("Material Price"), m_txtMatPrice);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(m_lstPrice, 1);
    layout->addLayout(edit);
    layout->addWidget(m_lblPriceItmID);
    setFixedSize(620, 740);

    connect(m_actClose, &QAction::triggered, this, &QDialog::close);
    connect(m_actSave, &QAction::triggered, this, [this] { actSaveExecute(); });
    connect(m_actCancel, &QAction::triggered, this, &TfrmPriceHeddrin::actCancelExecute);
    connect(m_actPrint, &QAction::triggered, this, [this] { printList(false); });
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printList(true); });
    connect(m_actImport, &QAction::triggered, this, &TfrmPriceHeddrin::actImportExecute);
    connect(m_actExport, &QAction::triggered, this, &TfrmPriceHeddrin::actExportExecute);
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
    connect(m_lstPrice, &QTableView::clicked, this, [this](const QModelIndex &index) { lstPriceClick(index.row()); });
    connect(m_lstPrice, &QTableView::activated, this, [this](const QModelIndex &index) { lstPriceClick(index.row()); });
    for (QLineEdit *field : {m_txtPriceItmDiscription, m_txtLaborPrice, m_txtMatPrice})
        connect(field, &QLineEdit::textChanged, this, &TfrmPriceHeddrin::pEnableSaveButton);
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmPriceHeddrin::pShowChangesFromElsewhere);
    WheelGuard::protect(this);
}

void TfrmPriceHeddrin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    pShowFormInformation();
    pClearEditArea();
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmPriceHeddrin::pShowFormInformation()
{
    setWindowTitle(tr("Heddrin Price Sheet"));
    m_lstPrice->setToolTip(tr("Select a Price Item to edit"));
    m_txtPriceItmDiscription->setToolTip(tr("Name of Price Item"));
    m_txtLaborPrice->setToolTip(tr("Enter a Labor Price"));
    m_txtMatPrice->setToolTip(tr("Enter a Material Price"));
}

void TfrmPriceHeddrin::pClearEditArea()
{
    m_lstPrice->setEnabled(true);
    for (QLineEdit *field : {m_txtPriceItmDiscription, m_txtLaborPrice, m_txtMatPrice}) {
        const QSignalBlocker quiet(field);
        field->clear();
        field->setEnabled(false);
    }
    m_lblPriceItmID->clear();
    m_actSave->setEnabled(false);
    m_actCancel->setEnabled(false);
    pQueryPriceList();
    pUpdatePrintCommands();
}

void TfrmPriceHeddrin::pQueryPriceList()
{
    m_model->removeRows(0, m_model->rowCount());
    QList<WorkSheetPriceItem> items;
    try {
        items = readPriceList();
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    showPriceList(items);
}

QList<WorkSheetPriceItem> TfrmPriceHeddrin::readPriceList() const
{
    WorkSheetPriceStore store(m_context);
    return m_documentMode ? store.list(m_context.document.header.intInvNumber) : store.list();
}

void TfrmPriceHeddrin::showPriceList(const QList<WorkSheetPriceItem> &items)
{
    m_model->removeRows(0, m_model->rowCount());
    const QLocale &locale = m_context.locale;
    for (const WorkSheetPriceItem &item : items) {
        QList<QStandardItem *> row;
        for (const QString &text :
             {item.strPrcItemName, Money::currencyText(item.dbLbrPrc, locale), Money::currencyText(item.dbMatPrc, locale),
              Money::decimalText(item.dbLbrPrc, locale), Money::decimalText(item.dbMatPrc, locale),
              QString::number(item.intPrcItemNumID)})
            row.append(new QStandardItem(text));
        row[PriceItmID]->setData(item.intRowVersion, Qt::UserRole);
        for (int column : {LaborText, MaterialText})
            row[column]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model->appendRow(row);
    }
}

void TfrmPriceHeddrin::pShowChangesFromElsewhere()
{
    // Only the rows: a price being typed keeps what was typed.
    QList<WorkSheetPriceItem> items;
    try {
        items = readPriceList();
    } catch (const DbError &) {
        // Nobody asked for this look: the list keeps its rows until the next one.
        return;
    }
    const ListPlace place(m_lstPrice, PriceItmID);
    showPriceList(items);
    place.restore();
}

void TfrmPriceHeddrin::lstPriceClick(int row)
{
    if (row < 0 || row >= m_model->rowCount() || !m_lstPrice->isEnabled())
        return;
    m_txtPriceItmDiscription->setText(m_model->item(row, Description)->text());
    m_txtLaborPrice->setText(m_model->item(row, LabPrice)->text());
    m_txtMatPrice->setText(m_model->item(row, MatPrice)->text());
    m_lblPriceItmID->setText(m_model->item(row, PriceItmID)->text());
    m_rowVersion = m_model->item(row, PriceItmID)->data(Qt::UserRole).toLongLong();
    m_lstPrice->setEnabled(false);
    m_txtLaborPrice->setEnabled(true);
    m_txtMatPrice->setEnabled(true);
    // Selecting is not a change: Save waits for an edit.
    m_actSave->setEnabled(false);
    m_actCancel->setEnabled(true);
    m_txtLaborPrice->setFocus();
    m_txtLaborPrice->selectAll();
    pUpdatePrintCommands();
}

void TfrmPriceHeddrin::pEnableSaveButton()
{
    if (m_lblPriceItmID->text().isEmpty())
        return;
    m_actSave->setEnabled(!m_txtLaborPrice->text().isEmpty() && !m_txtMatPrice->text().isEmpty());
    pUpdatePrintCommands();
}

void TfrmPriceHeddrin::pUpdatePrintCommands()
{
    const bool enabled = !m_documentMode && m_lstPrice->isEnabled() && m_model->rowCount() > 0;
    m_actPrint->setEnabled(enabled);
    m_actPrintPreview->setEnabled(enabled);
    m_actImport->setEnabled(enabled);
    m_actExport->setEnabled(enabled);
}

bool TfrmPriceHeddrin::actSaveExecute()
{
    double prices[2] = {0, 0};
    QLineEdit *fields[2] = {m_txtLaborPrice, m_txtMatPrice};
    for (int i = 0; i < 2; ++i) {
        if (fields[i]->text().isEmpty())
            continue;
        const QString what = i == 0 ? tr("labor price") : tr("material price");
        if (const std::optional<QString> problem = AmountReader::problem(what, fields[i]->text(), m_context.locale)) {
            m_context.prompts().showError(*problem);
            fields[i]->setFocus();
            return false;
        }
        prices[i] = *Money::parseDecimal(fields[i]->text(), m_context.locale);
    }
    SavingIndicator &saving = m_context.saving();
    saving.pShowSaving(tr("Saving Price Information..."));
    const auto closePopup = qScopeGuard([&saving] { saving.pCloseSaving(); });
    const int id = m_lblPriceItmID->text().toInt();
    try {
        WorkSheetPriceStore store(m_context);
        if (m_documentMode) {
            store.saveDocumentPrice(m_context.document.header.intInvNumber, id, prices[0], prices[1]);
            markChanged();
        } else {
            WorkSheetPriceItem item{id, m_txtPriceItmDiscription->text(), prices[0], prices[1], m_rowVersion};
            switch (store.saveCompanyPriceOrAsk(item, m_context.prompts())) {
            case RowVersions::SaveOutcome::Saved:
                break;
            case RowVersions::SaveOutcome::TookTheirs:
                m_txtLaborPrice->setText(Money::decimalText(item.dbLbrPrc, m_context.locale));
                m_txtMatPrice->setText(Money::decimalText(item.dbMatPrc, m_context.locale));
                m_rowVersion = item.intRowVersion;
                return false;
            case RowVersions::SaveOutcome::KeptEditing:
                return false;
            }
        }
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
    pClearEditArea();
    return true;
}

bool TfrmPriceHeddrin::settlePendingEdit()
{
    if (!m_actSave->isEnabled())
        return true;
    switch (m_context.prompts().ShowYesNoCancel(tr("Save changes to this Price Item?"))) {
    case Prompts::Yes:
        return actSaveExecute();
    case Prompts::No:
        return true;
    case Prompts::Cancel:
        break;
    }
    return false;
}

void TfrmPriceHeddrin::actCancelExecute()
{
    if (!settlePendingEdit())
        return;
    pClearEditArea();
    m_lstPrice->setFocus();
}

void TfrmPriceHeddrin::reject()
{
    if (settlePendingEdit())
        QDialog::reject();
}

void TfrmPriceHeddrin::done(int result)
{
    m_context.saving().pCloseSaving();
    QDialog::done(result);
}

void TfrmPriceHeddrin::printList(bool preview)
{
    if (!m_context.printModule)
        return;
    QList<QStringList> rows;
    for (int row = 0; row < m_model->rowCount(); ++row)
        rows.append({m_model->item(row, Description)->text(), m_model->item(row, LaborText)->text(),
                     m_model->item(row, MaterialText)->text()});
    const PrintRequest request =
        PrintRequest::list(PrintKind::PriceSheet, {{}, ListReports::RvCustomConnectionPriceHeddrin(rows)});
    if (preview)
        m_context.printModule->pPrintPreview(request);
    else
        (void)m_context.printModule->pPrint(request);
}

void TfrmPriceHeddrin::actImportExecute()
{
    WorkSheetPriceTransfer::ImportJob job(m_context.databasePath(), m_context.locale);
    if (CsvFiles::pImport(job, m_context.prompts(), this))
        pQueryPriceList();
}

void TfrmPriceHeddrin::actExportExecute()
{
    CsvFiles::pExport(m_context.prompts(), tr("Export Prices"), tr("Prices"),
                      tr("The price list is empty; no file was written."), [this] {
                          return QList<CsvFiles::ExportPart>{
                              {{}, WorkSheetPriceTransfer::exportCsv(*m_context.openDatabase())}};
                      });
}
