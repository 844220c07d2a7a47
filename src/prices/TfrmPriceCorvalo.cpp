#include "TfrmPriceCorvalo.h"
#include "PriceTransfer.h"

#include "core/AmountReader.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "widgets/ListPlace.h"
#include "context/AppContext.h"
#include "printing/ListReports.h"
#include "core/PrintModule.h"
#include "widgets/FormFields.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/SearchBar.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "widgets/TextFields.h"
#include "widgets/CsvFiles.h"
#include "invoice/Money.h"
#include "prices/PriceSheetRows.h"
#include "prices/PriceLineEntry.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

using TextFields::label;

} // namespace

TfrmPriceCorvalo::TfrmPriceCorvalo(AppContext &context, QWidget *parent, ListUse use)
    : RecordListWindow(context, use, tr("Save changes to this Price Item?"), parent)
    , m_context(context)
    , m_store(context)
    , m_model(context.locale)
{
    setObjectName(QStringLiteral("frmPriceCorvalo"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(createCommands({.barName = QStringLiteral("ToolBarfrmPrice"),
                                       .newName = QStringLiteral("actNewPriceItem"),
                                       .newCaption = tr("New Price Item"),
                                       .newHint = tr("Add a new Price Item to your list"),
                                       .saveHint = tr("Save current Price Item to your list"),
                                       .cancelHint = tr("Cancel Edit of this price Item"),
                                       .deleteHint = tr("Remove current Price Item from your list"),
                                       .printPreviewHint = tr("Print Preview current Price list"),
                                       .printHint = tr("Print current Price list"),
                                       .importHint = tr("Add Price Items from a CSV file"),
                                       .exportHint = tr("Save the Price list as a CSV file"),
                                       .helpHint = {}}));
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addWidget(createSearchArea());
    body->addWidget(createList(), 1);
    body->addWidget(createEditArea());
    layout->addLayout(body, 1);

    pShowFormInformation();
    returnToList();
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmPriceCorvalo::pShowChangesFromElsewhere);
    resize(680, 600);
    WheelGuard::protect(this);
}

SearchBar *TfrmPriceCorvalo::createSearchArea()
{
    m_search = new SearchBar(this,
                             {.kinds = QStringLiteral("cmbSearchPrcItm"), .kindsCaption = tr("Search &Type: "),
                              .text = QStringLiteral("txtSearchPrcItm"), .textLimit = 25},
                             PriceSearches::names());
    connect(m_search->kinds(), &QComboBox::currentIndexChanged, this, &TfrmPriceCorvalo::searchKindChanged);
    connect(m_search->text(), &QLineEdit::textChanged, this, &TfrmPriceCorvalo::pRunListQuery);
    return m_search;
}

QTableView *TfrmPriceCorvalo::createList()
{
    m_lstPrice = makeReadOnlyList(this, QStringLiteral("lstPrice"), &m_model);
    for (int column = 0; column < PriceListModel::ColumnCount; ++column) {
        const int width = PriceListModel::columnWidth(column);
        m_lstPrice->setColumnWidth(column, width);
        m_lstPrice->setColumnHidden(column, width == 0);
    }
    connect(m_lstPrice, &QTableView::clicked, this, &TfrmPriceCorvalo::listClicked);
    connect(m_lstPrice, &QTableView::activated, this, &TfrmPriceCorvalo::listClicked);
    m_search->leadTo(m_lstPrice, [this](const QModelIndex &index) { listClicked(index); });
    return m_lstPrice;
}

QWidget *TfrmPriceCorvalo::createEditArea()
{
    auto *box = new QGroupBox(tr("Price Item"), this);
    box->setObjectName(QStringLiteral("gbxPriceItem"));
    m_txtPriceItmDiscription = TextFields::make(box, QStringLiteral("txtPriceItmDiscription"), 45);
    m_txtLaborPrice = FormFields::amountField(box, QStringLiteral("txtLaborPrice"),
                                              AmountReader::kPriceFieldLength, {}, m_context.locale);
    m_txtMatPrice = FormFields::amountField(box, QStringLiteral("txtMatPrice"),
                                            AmountReader::kPriceFieldLength, {}, m_context.locale);
    m_txtQuantity = FormFields::amountField(box, QStringLiteral("txtQuantity"),
                                            AmountReader::kPriceFieldLength, {}, m_context.locale);
    for (QLineEdit *amount : {m_txtLaborPrice, m_txtMatPrice, m_txtQuantity})
        amount->setMaximumWidth(120);
    m_ckbxLaborTaxable = new QCheckBox(tr("Labor Taxable"), box);
    m_ckbxLaborTaxable->setObjectName(QStringLiteral("ckbxLaborTaxable"));
    m_ckbxMatTaxable = new QCheckBox(tr("Material Taxable"), box);
    m_ckbxMatTaxable->setObjectName(QStringLiteral("ckbxMatTaxable"));
    m_lblPriceItmID = new QLabel(box);
    m_lblPriceItmID->setObjectName(QStringLiteral("lblPriceItmID"));
    m_lblPriceItmID->setVisible(false);
    m_btnAddPriceItnToInvoice = new QPushButton(tr("Add To Invoice"), box);
    m_btnAddPriceItnToInvoice->setObjectName(QStringLiteral("btnAddPriceItnToInvoice"));
    m_btnAddPriceItnToInvoice->setAutoDefault(false);

    auto *grid = new QGridLayout(box);
    grid->addWidget(label(tr("Price Item Description"), m_txtPriceItmDiscription), 0, 0);
    grid->addWidget(m_txtPriceItmDiscription, 0, 1, 1, 3);
    grid->addWidget(label(tr("Labor Price"), m_txtLaborPrice), 1, 0);
    grid->addWidget(m_txtLaborPrice, 1, 1);
    grid->addWidget(m_ckbxLaborTaxable, 1, 2);
    grid->addWidget(label(tr("Material Price"), m_txtMatPrice), 2, 0);
    grid->addWidget(m_txtMatPrice, 2, 1);
    grid->addWidget(m_ckbxMatTaxable, 2, 2);
    m_lblQuantity = label(tr("Quantity"), m_txtQuantity);
    grid->addWidget(m_lblQuantity, 3, 0);
    grid->addWidget(m_txtQuantity, 3, 1);
    grid->addWidget(m_btnAddPriceItnToInvoice, 3, 2, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);

    QWidget::setTabOrder(m_txtPriceItmDiscription, m_txtLaborPrice);
    QWidget::setTabOrder(m_txtLaborPrice, m_ckbxLaborTaxable);
    QWidget::setTabOrder(m_ckbxLaborTaxable, m_txtMatPrice);
    QWidget::setTabOrder(m_txtMatPrice, m_ckbxMatTaxable);
    QWidget::setTabOrder(m_ckbxMatTaxable, m_txtQuantity);
    QWidget::setTabOrder(m_txtQuantity, m_btnAddPriceItnToInvoice);

    for (QLineEdit *field : {m_txtPriceItmDiscription, m_txtLaborPrice, m_txtMatPrice})
        connect(field, &QLineEdit::textChanged, this, &TfrmPriceCorvalo::pEnableSave);
    connect(m_ckbxLaborTaxable, &QCheckBox::clicked, this, &TfrmPriceCorvalo::pEnableSave);
    connect(m_ckbxMatTaxable, &QCheckBox::clicked, this, &TfrmPriceCorvalo::pEnableSave);
    connect(m_txtQuantity, &QLineEdit::textChanged, this, &TfrmPriceCorvalo::pEnableAddToInvoice);
    connect(m_btnAddPriceItnToInvoice, &QPushButton::clicked, this, &TfrmPriceCorvalo::btnAddPriceItnToInvoiceClick);
    return box;
}

void TfrmPriceCorvalo::pShowFormInformation()
{
    setWindowTitle(tr("Price Sheet"));
    m_lstPrice->setToolTip(tr("Select a Price Item to edit"));
    m_search->kinds()->setToolTip(tr("Select a search type for a Price Item"));
    m_search->text()->setToolTip(tr("Enter search Information"));
    m_txtPriceItmDiscription->setToolTip(tr("Type a name for the Price Item"));
    m_txtLaborPrice->setToolTip(tr("Enter a Labor Price"));
    m_txtMatPrice->setToolTip(tr("Enter a Material Price"));
    m_txtQuantity->setToolTip(tr("Enter a Quantity for this Price Item"));
    m_ckbxLaborTaxable->setToolTip(tr("Check if Labor is taxable for this Price Item"));
    m_ckbxMatTaxable->setToolTip(tr("Check if Material is taxable for this Price Item"));
    m_btnAddPriceItnToInvoice->setToolTip(tr("Add this Price Item to your Invoice"));
    m_lblQuantity->setVisible(pickMode());
    m_txtQuantity->setVisible(pickMode());
    m_btnAddPriceItnToInvoice->setVisible(pickMode());
    m_btnAddPriceItnToInvoice->setDefault(pickMode()); // Enter after the quantity adds the item
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

PriceSearch TfrmPriceCorvalo::searchKind() const
{
    return PriceSearch(m_search->kind());
}

void TfrmPriceCorvalo::pRunListQuery()
{
    attempt([this] { m_model.setItems(m_store.list(searchKind(), m_search->text()->text())); });
    pEnablePrint();
}

void TfrmPriceCorvalo::pShowChangesFromElsewhere()
{
    // Only the rows: an item being typed keeps what was typed.
    const ListPlace place(m_lstPrice, PriceListModel::PriceItmID);
    try {
        m_model.setItems(m_store.list(searchKind(), m_search->text()->text()));
    } catch (const DbError &) {
        // Nobody asked for this look: the list keeps its rows until the next one.
        return;
    }
    place.restore();
    pEnablePrint();
}

void TfrmPriceCorvalo::searchKindChanged()
{
    m_search->showKind(PriceSearches::takesText(searchKind()));
    pRunListQuery();
}

void TfrmPriceCorvalo::returnToList()
{
    m_mode = Mode::Browsing;
    m_lstPrice->setEnabled(true);
    m_search->reset(int(PriceSearch::AllPriceItems));

    for (QLineEdit *field : {m_txtPriceItmDiscription, m_txtLaborPrice, m_txtMatPrice, m_txtQuantity}) {
        TextFields::showStored(field, QString());
        field->setEnabled(false);
    }
    m_lblPriceItmID->clear();
    for (QCheckBox *box : {m_ckbxLaborTaxable, m_ckbxMatTaxable}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    enableListCommands();
    m_btnAddPriceItnToInvoice->setEnabled(false);
    pRunListQuery();
}

void TfrmPriceCorvalo::startEditing(Mode mode)
{
    m_mode = mode;
    m_lstPrice->setEnabled(false);
    // The list stays as it is while an item is open.
    m_search->lock();
    for (QWidget *field : {static_cast<QWidget *>(m_txtPriceItmDiscription), static_cast<QWidget *>(m_txtLaborPrice),
                           static_cast<QWidget *>(m_txtMatPrice), static_cast<QWidget *>(m_txtQuantity),
                           static_cast<QWidget *>(m_ckbxLaborTaxable), static_cast<QWidget *>(m_ckbxMatTaxable)})
        field->setEnabled(true);
    enableEditCommands(mode == Mode::Editing);
    pEnablePrint();
}

void TfrmPriceCorvalo::listClicked(const QModelIndex &index)
{
    if (m_mode != Mode::Browsing || !index.isValid())
        return;
    showItem(m_model.item(index.row()));
    startEditing(Mode::Editing);
    if (pickMode())
        m_txtQuantity->setFocus();
    else
        m_txtPriceItmDiscription->setFocus();
}

void TfrmPriceCorvalo::showItem(const PriceItem &item)
{
    const QLocale &locale = m_context.locale;
    TextFields::showStored(m_txtPriceItmDiscription, item.strPrcItemName);
    TextFields::showStored(m_txtLaborPrice, Money::decimalText(item.dbLbrPrc, locale));
    TextFields::showStored(m_txtMatPrice, Money::decimalText(item.dbMatPrc, locale));
    m_ckbxLaborTaxable->setChecked(item.strLabTax);
    m_ckbxMatTaxable->setChecked(item.strMatTax);
    m_lblPriceItmID->setText(QString::number(item.intPrcItemNumID));
    m_rowVersion = item.intRowVersion;
}

void TfrmPriceCorvalo::newRecord()
{
    startEditing(Mode::New);
    const auto [labor, material] = PriceLines::defaultTaxable(m_context.company.invData.intTaxOn);
    m_ckbxLaborTaxable->setChecked(labor);
    m_ckbxMatTaxable->setChecked(material);
    m_txtPriceItmDiscription->setFocus();
}

void TfrmPriceCorvalo::fillEmptyPrices()
{
    for (QLineEdit *price : {m_txtLaborPrice, m_txtMatPrice}) {
        if (price->text().isEmpty())
            price->setText(PriceLines::zeroPrice(m_context.locale));
    }
}

std::optional<double> TfrmPriceCorvalo::amountOf(QLineEdit *field, const QString &what)
{
    if (const std::optional<QString> problem = AmountReader::problem(what, field->text(), m_context.locale)) {
        m_context.prompts().showError(*problem);
        field->setFocus();
        return std::nullopt;
    }
    return Money::parseDecimal(field->text(), m_context.locale);
}

bool TfrmPriceCorvalo::saveRecord()
{
    fillEmptyPrices();
    const std::optional<double> labor = amountOf(m_txtLaborPrice, tr("labor price"));
    if (!labor)
        return false;
    const std::optional<double> material = amountOf(m_txtMatPrice, tr("material price"));
    if (!material)
        return false;
    PriceItem item;
    item.intPrcItemNumID = m_lblPriceItmID->text().toLongLong();
    item.strPrcItemName = m_txtPriceItmDiscription->text();
    item.strLabTax = m_ckbxLaborTaxable->isChecked();
    item.strMatTax = m_ckbxMatTaxable->isChecked();
    item.dbLbrPrc = *labor;
    item.dbMatPrc = *material;
    item.intRowVersion = m_rowVersion;
    return storeRecord(tr("Saving Price Information..."), [&] {
        switch (m_store.saveOrAsk(item, m_context.prompts())) {
        case RowVersions::SaveOutcome::Saved:
            return true;
        case RowVersions::SaveOutcome::TookTheirs:
            showItem(item);
            return false;
        case RowVersions::SaveOutcome::KeptEditing:
            break;
        }
        return false;
    });
}

bool TfrmPriceCorvalo::cancelEditing()
{
    if (!RecordListWindow::cancelEditing())
        return false;
    m_lstPrice->setFocus();
    return true;
}

void TfrmPriceCorvalo::deleteCurrent()
{
    deleteRecord(tr("Delete this Price Item from your list?"), tr("Deleting Price Information..."),
                 m_lblPriceItmID->text().toLongLong(), [this](qint64 id) { m_store.remove(id); });
}

void TfrmPriceCorvalo::btnAddPriceItnToInvoiceClick()
{
    fillEmptyPrices();
    // A line the totals cannot read would stop the document from being saved later.
    if (!amountOf(m_txtQuantity, tr("quantity")) || !amountOf(m_txtLaborPrice, tr("labor price"))
        || !amountOf(m_txtMatPrice, tr("material price")))
        return;
    const PriceLineEntry entry{m_txtPriceItmDiscription->text(), m_txtQuantity->text(), m_txtLaborPrice->text(),
                               m_txtMatPrice->text(), m_ckbxLaborTaxable->isChecked(), m_ckbxMatTaxable->isChecked()};
    const std::optional<PriceLine> line = entry.toLine(m_context.locale);
    if (!line)
        return;
    m_context.document.lines.appendPriceLine(*line);
    markChanged();
    close();
}

void TfrmPriceCorvalo::pEnableSave()
{
    const bool complete = !m_txtPriceItmDiscription->text().isEmpty()
        && (!m_txtLaborPrice->text().isEmpty() || !m_txtMatPrice->text().isEmpty());
    m_actSave->setEnabled(complete);
    pEnablePrint();
}

void TfrmPriceCorvalo::pEnableAddToInvoice()
{
    const bool complete = !m_txtPriceItmDiscription->text().isEmpty()
        && (!m_txtLaborPrice->text().isEmpty() || !m_txtMatPrice->text().isEmpty());
    if (complete)
        m_btnAddPriceItnToInvoice->setEnabled(!m_txtQuantity->text().isEmpty());
    pEnablePrint();
}

void TfrmPriceCorvalo::pEnablePrint()
{
    enablePrint(m_lstPrice->isEnabled(), m_model.rowCount());
}

void TfrmPriceCorvalo::printList(bool preview)
{
    if (!m_context.printModule)
        return;
    const PrintRequest request = PrintRequest::list(
        PrintKind::PriceSheet, {{}, ListReports::RvCustomConnectionPrice(m_model.items(), m_context.locale)});
    if (preview)
        m_context.printModule->pPrintPreview(request);
    else
        (void)m_context.printModule->pPrint(request);
}

void TfrmPriceCorvalo::importRecords()
{
    PriceTransfer::ImportJob job(m_context.databasePath(), m_context.locale,
                                 PriceLines::defaultTaxable(m_context.company.invData.intTaxOn));
    if (CsvFiles::pImport(job, m_context.prompts(), this))
        pRunListQuery();
}

void TfrmPriceCorvalo::exportRecords()
{
    CsvFiles::pExport(m_context.prompts(), tr("Export Price Items"), tr("Price Items"),
                      tr("The price list is empty; no file was written."), [this] {
                          return QList<CsvFiles::ExportPart>{{{}, PriceTransfer::exportCsv(*m_context.openDatabase())}};
                      });
}
