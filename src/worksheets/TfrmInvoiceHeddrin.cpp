#include "TfrmInvoiceHeddrin.h"

#include "WorkSheetPanel.h"
#include "app/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "widgets/Icons.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"
#include "core/Prompts.h"
#include "widgets/Ribbon.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "editing/EditorRules.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Totals.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

/// A ribbon control with its caption beside it.
QWidget *captioned(const QString &caption, QWidget *control)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(caption, box);
    label->setBuddy(control);
    row->addWidget(label);
    row->addWidget(control, 1);
    return box;
}

/// Small commands stacked in rows of \a perRow, so a group with long captions
/// stays narrow.
QWidget *commandStack(const QList<QAction *> &actions, int perRow = 1)
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int i = 0; i < actions.size(); ++i) {
        auto *button = new QToolButton(box);
        button->setObjectName(QStringLiteral("btn") + actions[i]->objectName());
        button->setDefaultAction(actions[i]);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(16, 16));
        grid->addWidget(button, i / perRow, i % perRow, Qt::AlignLeft);
    }
    return box;
}

QAction *checkCommand(QObject *parent, const QString &name, const QString &caption, const QString &hint)
{
    QAction *action = FormFields::action(parent, name, caption, hint);
    action->setCheckable(true);
    return action;
}

} // namespace

TfrmInvoiceHeddrin::TfrmInvoiceHeddrin(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_ribbon(new Ribbon(this))
    , m_cmbInvoiceType(new QComboBox(this))
    , m_dateTimePickerInvoice(new DateField(this))
    , m_cmbPaymentTerms(new QComboBox(this))
    , m_SpinEditCustDiscount(new SpinField(this))
    , m_txtCustPO(FormFields::textField(this, QStringLiteral("txtCustPO"), 25, tr("Enter a PO number for this Customer")))
    , m_txtcustTaxExemptNumber(FormFields::textField(this, QStringLiteral("txtcustTaxExemptNumber"), 25,
                                                     tr("Enter Customer Tax Exemption Number")))
    , m_cmbFootNotes(new QComboBox(this))
    , m_txtCustInformation(new QPlainTextEdit(this))
    , m_lstvwWorkSheetName(new QTreeWidget(this))
    , m_lblCurrentWorkSheet(new QLabel(this))
    , m_txtAreaSQFTTotal(FormFields::readOnlyField(this, QStringLiteral("txtAreaSQFTTotal")))
    , m_txtAreaTotal(FormFields::readOnlyField(this, QStringLiteral("txtAreaTotal")))
    , m_panel(new WorkSheetPanel(context.locale, this))
    , m_txtInvoiceFootNotes(new QPlainTextEdit(this))
    , m_lblPaidAndDeposit(new QLabel(this))
    , m_txtPaidAndDeposit(FormFields::readOnlyField(this, QStringLiteral("txtPaidAndDeposit")))
    , m_txtInvoiceSubTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceSubTotal")))
    , m_txtInvoiceTaxTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTaxTotal")))
    , m_txtInvoiceDiscount(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceDiscount")))
    , m_lblTotal(new QLabel(this))
    , m_txtInvoiceTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTotal")))
{
    setObjectName(QStringLiteral("frmInvoiceHeddrin"));
    setModal(true);
    buildActions();
    buildRibbon();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setMenuBar(m_ribbon);
    layout->addWidget(buildBody(), 1);
    setFixedSize(794, 572 + m_ribbon->sizeHint().height());
    m_ribbon->setMinimized(context.preferences[AppPreferences::FrmInvoiceRibbonMinimized]);

    for (QComboBox *box : {m_cmbInvoiceType, m_cmbFootNotes})
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmInvoiceHeddrin::pChangeData);
    connect(m_cmbPaymentTerms, &QComboBox::currentTextChanged, this, &TfrmInvoiceHeddrin::pChangeData);
    connect(m_dateTimePickerInvoice, &QDateEdit::dateChanged, this, &TfrmInvoiceHeddrin::pChangeData);
    connect(m_SpinEditCustDiscount, &QSpinBox::valueChanged, this, &TfrmInvoiceHeddrin::pChangeData);
    for (QLineEdit *field : {m_txtCustPO, m_txtcustTaxExemptNumber})
        connect(field, &QLineEdit::textChanged, this, &TfrmInvoiceHeddrin::pChangeData);
    connect(m_panel, &WorkSheetPanel::fieldChanged, this, &TfrmInvoiceHeddrin::workSheetFieldChanged);
    connect(m_lstvwWorkSheetName, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        lstvwWorkSheetNameClick(m_lstvwWorkSheetName->indexOfTopLevelItem(item));
    });
    WheelGuard::protect(this);
    Mnemonics::giveCommands(this);
}

void TfrmInvoiceHeddrin::buildActions()
{
    using Icons::Command;
    auto command = [this](const char *name, const QString &caption, const QString &hint, Command picture) {
        QAction *action = FormFields::action(this, QString::fromLatin1(name), caption, hint, Icons::forCommand(picture));
        addAction(action);
        return action;
    };
    m_actSave = command("actSave", tr("Save"), tr("Save Changes to Invoice"), Command::Save);
    m_actPDF = command("actPDF", tr("PDF"), tr("Save Invoice as a PDF"), Command::Pdf);
    m_actDelete = command("actDelete", tr("Delete"), tr("Delete invoice"), Command::Delete);
    m_actPrint = command("actPrint", tr("Print"), tr("Print Invoice"), Command::Print);
    m_actPrintPreview = command("actPrintPreview", tr("Print Preview"), tr("Print Preview Invoice"), Command::PrintPreview);
    m_actClose = command("actClose", tr("Close"), tr("Close"), Command::Close);
    m_actHelp = command("actHelp", tr("Help"), tr("Open Help"), Command::Help);
    m_actAddCustomer = command("actAddCustomer", tr("Add Customer"), tr("Add a Customer"), Command::CustomerMaintenance);
    m_actAddWorkSheet = command("actAddWorkSheet", tr("Add Work Sheet"), tr("Add a Work Sheet"), Command::Add);
    m_actRemoveWorkSheet = command("actRemoveWorkSheet", tr("Remove Work Sheet"), tr("Remove current Work Sheet"),
                                   Command::Remove);
    m_actInvoiceNumber = FormFields::action(this, QStringLiteral("actInvoiceNumber"), {}, {});
    m_actPaidDeposit = command("actPaidDeposit", {}, {}, Command::Report);
    m_actEditPrices = command("actEditPrices", tr("Edit Saved Prices"), tr("Edit the prices saved with this document"),
                              Command::PriceSheet);
    m_actAddNotes = command("actAddNotes", tr("Add Invoice Notes"), tr("Add Invoice Notes - ( Printed on Invoice )"),
                            Command::ContractWriter);
    m_actRecurring = checkCommand(this, QStringLiteral("actRecurring"), tr("Set As Recurring"), tr("Set Invoice as recurring"));
    m_actTaxExempt = checkCommand(this, QStringLiteral("actTaxExempt"), tr("Tax Exempt"), tr("Check if customer is Tax Exempt"));
    for (int i = 0; i < 3; ++i)
        m_actTax[i] = checkCommand(this, QStringLiteral("actTaxOption%1").arg(i + 1), tr("Tax Option %1").arg(i + 1),
                                   tr("Check to use this tax"));
    m_actAddSignatureLine = checkCommand(this, QStringLiteral("actAddSignatureLine"), tr("Add Signature Line"),
                                         tr("Add a signature line"));
    m_actPrintContract = checkCommand(this, QStringLiteral("actPrintContract"), tr("Print Contract"),
                                      tr("Print contract with the Invoice"));
    m_actPrintWarranty = checkCommand(this, QStringLiteral("actPrintWarranty"), tr("Print Warranty"),
                                      tr("Print warranty with the Invoice"));
    m_actSave->setShortcut(QKeySequence::Save);
    m_actPrint->setShortcut(QKeySequence::Print);
    m_actHelp->setShortcut(QKeySequence::HelpContents);

    connect(m_actSave, &QAction::triggered, this, [this] { pSaveInvData(); });
    connect(m_actPDF, &QAction::triggered, this, &TfrmInvoiceHeddrin::actPDFExecute);
    connect(m_actDelete, &QAction::triggered, this, &TfrmInvoiceHeddrin::actDeleteExecute);
    connect(m_actPrint, &QAction::triggered, this, [this] { printDocument(false); });
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printDocument(true); });
    connect(m_actClose, &QAction::triggered, this, &QDialog::close);
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
    connect(m_actAddCustomer, &QAction::triggered, this, &TfrmInvoiceHeddrin::addCustomer);
    connect(m_actAddWorkSheet, &QAction::triggered, this, &TfrmInvoiceHeddrin::addWorkSheet);
    connect(m_actRemoveWorkSheet, &QAction::triggered, this, &TfrmInvoiceHeddrin::removeWorkSheet);
    connect(m_actEditPrices, &QAction::triggered, this, &TfrmInvoiceHeddrin::actEditPricesExecute);
    connect(m_actPaidDeposit, &QAction::triggered, this, [this] { openPaidAndDeposit(); });
    connect(m_actAddNotes, &QAction::triggered, this, [this] { openInvoiceNotes(); });
    for (QAction *check : {m_actRecurring, m_actTaxExempt, m_actTax[0], m_actTax[1], m_actTax[2]})
        connect(check, &QAction::toggled, this, &TfrmInvoiceHeddrin::pChangeData);
    for (QAction *option : {m_actAddSignatureLine, m_actPrintContract, m_actPrintWarranty}) {
        connect(option, &QAction::toggled, this, [this] {
            TrecInvHeader &header = m_context.document.header;
            header.blnAddSignatureLine = m_actAddSignatureLine->isChecked();
            header.blnPrintContract = m_actPrintContract->isChecked();
            header.blnPrintWarranty = m_actPrintWarranty->isChecked();
        });
    }
}

void TfrmInvoiceHeddrin::buildRibbon()
{
    m_ribbon->setObjectName(QStringLiteral("RibbonInvoice"));
    QMenu *menu = m_ribbon->applicationMenu();
    for (QAction *action : {m_actSave, m_actPDF, m_actDelete, m_actPrint, m_actPrintPreview})
        menu->addAction(action);
    menu->addSeparator();
    menu->addAction(m_actClose);
    m_ribbon->setHelpAction(m_actHelp);

    m_cmbInvoiceType->setObjectName(QStringLiteral("cmbInvoiceType"));
    m_dateTimePickerInvoice->setObjectName(QStringLiteral("dateTimePickerInvoice"));
    m_dateTimePickerInvoice->setCalendarPopup(true);
    m_dateTimePickerInvoice->setLocale(m_context.locale);
    m_dateTimePickerInvoice->setDisplayFormat(DateText::shortDateFormat(m_context.locale));
    m_cmbPaymentTerms->setObjectName(QStringLiteral("cmbPaymentTerms"));
    m_cmbPaymentTerms->setEditable(true);
    m_cmbPaymentTerms->setMinimumWidth(120);
    m_SpinEditCustDiscount->setObjectName(QStringLiteral("SpinEditCustDiscount"));
    m_SpinEditCustDiscount->setRange(0, 100);
    makeArrowsOnly(m_SpinEditCustDiscount);
    m_cmbFootNotes->setObjectName(QStringLiteral("cmbFootNotes"));
    m_cmbFootNotes->addItems({tr("No Foot Notes"), tr("Foot Note 1"), tr("Foot Note 2"), tr("Foot Note 3")});

    QWidget *home = m_ribbon->addPage(tr("Home"));
    RibbonGroup *file = m_ribbon->addGroup(home, tr("File"));
    for (QAction *action : {m_actSave, m_actPrint, m_actPDF, m_actDelete})
        file->addAction(action);
    m_ribbon->addGroup(home, tr("Required"))
        ->addWidget(commandStack({m_actAddCustomer, m_actAddWorkSheet, m_actRemoveWorkSheet}));
    RibbonGroup *information = m_ribbon->addGroup(home, tr("Invoice Information"));
    auto *informationColumn = new QWidget;
    auto *column = new QVBoxLayout(informationColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(captioned(tr("Type : "), m_cmbInvoiceType));
    auto *number = new QToolButton(informationColumn);
    number->setObjectName(QStringLiteral("btnactInvoiceNumber"));
    number->setDefaultAction(m_actInvoiceNumber);
    number->setAutoRaise(true);
    column->addWidget(number);
    column->addWidget(captioned(tr("Date : "), m_dateTimePickerInvoice));
    information->addWidget(informationColumn);
    RibbonGroup *terms = m_ribbon->addGroup(home, tr("Payment Terms/Recurring"));
    auto *termsColumn = new QWidget;
    auto *termsLayout = new QVBoxLayout(termsColumn);
    termsLayout->setContentsMargins(0, 0, 0, 0);
    termsLayout->addWidget(captioned(tr("Terms"), m_cmbPaymentTerms));
    termsLayout->addWidget(commandStack({m_actRecurring}));
    terms->addWidget(termsColumn);

    QWidget *financial = m_ribbon->addPage(tr("Financial"));
    RibbonGroup *paid = m_ribbon->addGroup(financial, tr("Deposit/Paid/Discount"));
    paid->addAction(m_actPaidDeposit);
    paid->addWidget(captioned(tr("Discount"), m_SpinEditCustDiscount));
    RibbonGroup *numbers = m_ribbon->addGroup(financial, tr("P.O./Exemption Number"));
    auto *numberColumn = new QWidget;
    auto *numberLayout = new QVBoxLayout(numberColumn);
    numberLayout->setContentsMargins(0, 0, 0, 0);
    numberLayout->addWidget(captioned(tr("P.O. Number"), m_txtCustPO));
    numberLayout->addWidget(captioned(tr("Exempt Number"), m_txtcustTaxExemptNumber));
    numbers->addWidget(numberColumn);
    RibbonGroup *tax = m_ribbon->addGroup(financial, tr("Tax"));
    tax->addWidget(commandStack({m_actTaxExempt, m_actTax[0], m_actTax[1], m_actTax[2]}, 2));
    RibbonGroup *prices = m_ribbon->addGroup(financial, tr("Prices"));
    prices->addAction(m_actEditPrices);

    QWidget *print = m_ribbon->addPage(tr("Print Information"));
    m_ribbon->addGroup(print, tr("Add To Print"))
        ->addWidget(commandStack({m_actAddSignatureLine, m_actPrintContract, m_actPrintWarranty}));
    m_ribbon->addGroup(print, tr("Invoice Notes"))->addAction(m_actAddNotes);
    m_ribbon->addGroup(print, tr("Invoice Foot Notes"))->addWidget(m_cmbFootNotes);
}

QWidget *TfrmInvoiceHeddrin::buildBody()
{
    auto *body = new QWidget(this);
    m_txtCustInformation->setObjectName(QStringLiteral("txtCustInformation"));
    m_txtCustInformation->setReadOnly(true);
    m_txtCustInformation->setFocusPolicy(Qt::ClickFocus);

    m_lstvwWorkSheetName->setObjectName(QStringLiteral("lstvwWorkSheetName"));
    m_lstvwWorkSheetName->setHeaderLabels({tr("Work Sheet"), tr("Complete")});
    m_lstvwWorkSheetName->setRootIsDecorated(false);
    m_lstvwWorkSheetName->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstvwWorkSheetName->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstvwWorkSheetName->header()->resizeSection(0, 135);
    m_lstvwWorkSheetName->header()->resizeSection(1, 70);
    m_lblCurrentWorkSheet->setObjectName(QStringLiteral("lblCurrentWorkSheet"));
    FormFields::markAsTotal(m_txtAreaTotal);

    auto *sheetTotals = new QFormLayout;
    sheetTotals->addRow(tr("Work Sheet SQFT Total"), m_txtAreaSQFTTotal);
    sheetTotals->addRow(tr("Work Sheet Total"), m_txtAreaTotal);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(m_lstvwWorkSheetName, 1);
    listColumn->addWidget(m_lblCurrentWorkSheet);
    listColumn->addLayout(sheetTotals);
    auto *sheets = new QHBoxLayout;
    sheets->addLayout(listColumn, 2);
    sheets->addWidget(m_panel, 3);

    m_txtInvoiceFootNotes->setObjectName(QStringLiteral("txtInvoiceFootNotes"));
    m_txtInvoiceFootNotes->setReadOnly(true);
    m_txtInvoiceFootNotes->setFocusPolicy(Qt::NoFocus);
    m_lblPaidAndDeposit->setObjectName(QStringLiteral("lblPaidAndDeposit"));
    m_lblTotal->setObjectName(QStringLiteral("lblTotal"));
    FormFields::markAsTotal(m_txtInvoiceTotal);
    auto *totals = new QGridLayout;
    const QList<QPair<QLabel *, QLineEdit *>> rows{
        {m_lblPaidAndDeposit, m_txtPaidAndDeposit},
        {new QLabel(tr("Sub Total"), body), m_txtInvoiceSubTotal},
        {new QLabel(tr("Tax Total"), body), m_txtInvoiceTaxTotal},
        {new QLabel(tr("Discount Amount"), body), m_txtInvoiceDiscount},
        {m_lblTotal, m_txtInvoiceTotal},
    };
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        totals->addWidget(rows[row].first, row, 0);
        totals->addWidget(rows[row].second, row, 1);
        rows[row].second->setFixedWidth(150);
    }

    auto *left = new QVBoxLayout;
    left->addWidget(m_txtCustInformation, 1);
    left->addWidget(m_txtInvoiceFootNotes, 1);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(totals);

    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top, 2);
    layout->addLayout(sheets, 5);
    return body;
}
