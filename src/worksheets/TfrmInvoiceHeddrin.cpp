#include "TfrmInvoiceHeddrin.h"

#include "WorkSheetPanel.h"
#include "editing/DueDateField.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "widgets/Icons.h"
#include "widgets/Ribbon.h"
#include "data/DateText.h"
#include "customers/TfrmCustomer.h"
#include "editing/DocumentPanels.h"
#include "editing/TfrmInvoiceNotes.h"
#include "editing/TfrmPaidAndDeposit.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
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
    : DocumentEditor(context, parent)
    , m_ribbon(new Ribbon(this))
    , m_cmbInvoiceType(new QComboBox(this))
    , m_dateTimePickerInvoice(new DateField(this))
    , m_cmbPaymentTerms(new QComboBox(this))
    , m_dtpDueDate(new DueDateField(m_session, context.locale, this))
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
    , m_totals(new TotalsFooter(m_session, true, this))
{
    setObjectName(QStringLiteral("frmInvoiceHeddrin"));
    buildActions();
    buildRibbon();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setMenuBar(m_ribbon);
    layout->addWidget(buildBody(), 1);
    // The ribbon's captions set how narrow the window may get; taller or wider is the user's choice.
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setMinimumSize(std::max(794, m_ribbon->minimumSizeHint().width() + 8), 572 + m_ribbon->sizeHint().height());
    resize(minimumSize());
    m_ribbon->setMinimized(context.preferences[AppPreferences::FrmInvoiceRibbonMinimized]);

    connectControls();
}

void TfrmInvoiceHeddrin::connectControls()
{
    const auto user = [this](auto change) { return byUser(change); };
    EditingSession &s = m_session;
    connect(m_cmbInvoiceType, &QComboBox::currentTextChanged, this, user([&s](const QString &v) { s.setKind(v); }));
    connect(m_cmbFootNotes, &QComboBox::currentIndexChanged, this, user([&s](int v) { s.setFootNote(v); }));
    connect(m_cmbPaymentTerms, &QComboBox::currentTextChanged, this,
            user([&s](const QString &v) { s.setPaymentTerms(v); }));
    connect(m_dateTimePickerInvoice, &QDateEdit::dateChanged, this, user([&s](QDate v) { s.setDate(v); }));
    connect(m_SpinEditCustDiscount, &QSpinBox::valueChanged, this, user([&s](int v) { s.setDiscountPercent(v); }));
    connect(m_txtCustPO, &QLineEdit::textChanged, this, user([&s](const QString &v) { s.setPONumber(v); }));
    connect(m_txtcustTaxExemptNumber, &QLineEdit::textChanged, this,
            user([&s](const QString &v) { s.setTaxExemptNumber(v); }));
    connect(m_actRecurring, &QAction::toggled, this, user([&s](bool v) { s.setRecurring(v); }));
    connect(m_actTaxExempt, &QAction::toggled, this, user([&s](bool v) { s.setTaxExempt(v); }));
    for (int i = 0; i < 3; ++i)
        connect(m_actTax[i], &QAction::toggled, this, user([&s, i](bool v) { s.setUseTax(i, v); }));
    for (QAction *option : {m_actAddSignatureLine, m_actPrintContract, m_actPrintWarranty}) {
        connect(option, &QAction::toggled, this, [this] {
            m_session.setPrintOptions(m_actAddSignatureLine->isChecked(), m_actPrintContract->isChecked(),
                                      m_actPrintWarranty->isChecked());
        });
    }
    connect(m_panel, &WorkSheetPanel::fieldChanged, this, &TfrmInvoiceHeddrin::workSheetFieldChanged);
    connect(m_lstvwWorkSheetName, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        lstvwWorkSheetNameClick(m_lstvwWorkSheetName->indexOfTopLevelItem(item));
    });
}

void TfrmInvoiceHeddrin::buildActions()
{
    using Icons::Command;
    EditingSession &s = m_session;
    m_actSave = m_commands.add("actSave", tr("Save"), tr("Save Changes to Invoice"), Command::Save,
                               [this] { if (m_session.save()) showDocument(); }, QKeySequence::Save);
    m_actPDF = addPdfCommand();
    m_actEmail = m_commands.add("actEmail", tr("E-mail"), tr("Send Invoice by e-mail as a PDF"), Command::Email,
                                [&s] { s.email(); });
    m_actDelete = m_commands.add("actDelete", tr("Delete"), tr("Delete invoice"), Command::Delete, [this] {
        if (m_session.deleteDocument())
            close();
    });
    m_actJob = addJobCommand();
    addPrintCommands();
    addAccountCommands();
    m_commands.addSeparator();
    m_actClose = addCloseCommand();
    m_actHelp = addHelpCommand();
    m_actAddCustomer = m_commands.add("actAddCustomer", tr("Add Customer"), tr("Add a Customer"),
                                      Command::CustomerMaintenance, [this] { edit<TfrmCustomer>(ListUse::PickForDocument); });
    m_actAddWorkSheet = m_commands.add("actAddWorkSheet", tr("Add Work Sheet"), tr("Add a Work Sheet"), Command::Add,
                                       [this] { addWorkSheet(); });
    m_actRemoveWorkSheet = m_commands.add("actRemoveWorkSheet", tr("Remove Work Sheet"),
                                          tr("Remove current Work Sheet"), Command::Remove, [this] { removeWorkSheet(); });
    m_actPaidDeposit = m_commands.add("actPaidDeposit", {}, {}, Command::Report, [this] { edit<TfrmPaidAndDeposit>(); });
    m_actEditPrices = m_commands.add("actEditPrices", tr("Edit Saved Prices"),
                                     tr("Edit the prices saved with this document"), Command::PriceSheet,
                                     [this] { actEditPricesExecute(); });
    m_actAddNotes = m_commands.add("actAddNotes", tr("Add Invoice Notes"), tr("Add Invoice Notes - ( Printed on Invoice )"),
                                   Command::ContractWriter, [this] { edit<TfrmInvoiceNotes>(); });
    m_actInvoiceNumber = FormFields::action(this, QStringLiteral("actInvoiceNumber"), {}, {});
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
}

void TfrmInvoiceHeddrin::buildRibbon()
{
    m_ribbon->setObjectName(QStringLiteral("RibbonInvoice"));
    QMenu *menu = m_ribbon->applicationMenu();
    for (QAction *action : {m_actSave, m_actPDF, m_actEmail, m_actDelete, m_actJob, m_actPrint, m_actPrintPreview})
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
    for (QAction *action : {m_actSave, m_actPrint, m_actPDF, m_actEmail, m_actDelete})
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
    termsLayout->addWidget(captioned(tr("Due"), m_dtpDueDate));
    termsLayout->addWidget(commandStack({m_actRecurring}));
    terms->addWidget(termsColumn);

    QWidget *financial = m_ribbon->addPage(tr("Financial"));
    RibbonGroup *paid = m_ribbon->addGroup(financial, tr("Deposit/Paid/Discount"));
    paid->addAction(m_actPaidDeposit);
    paid->addWidget(captioned(tr("Discount"), m_SpinEditCustDiscount));
    m_ribbon->addGroup(financial, tr("Payments and Job"))
        ->addWidget(commandStack({m_actRecordPayment, m_actChangeOrder}));
    RibbonGroup *numbers = m_ribbon->addGroup(financial, tr("P.O./Exemption Number"));
    auto *numberColumn = new QWidget;
    auto *numberLayout = new QVBoxLayout(numberColumn);
    numberLayout->setContentsMargins(0, 0, 0, 0);
    // Wide enough to show a whole number as it is typed.
    for (QLineEdit *number : {m_txtCustPO, m_txtcustTaxExemptNumber})
        number->setMinimumWidth(number->fontMetrics().averageCharWidth() * 18);
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
    auto *left = new QVBoxLayout;
    left->addWidget(m_txtCustInformation, 1);
    left->addWidget(m_txtInvoiceFootNotes, 1);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_totals, 0, Qt::AlignTop);

    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top, 2);
    layout->addLayout(sheets, 5);
    return body;
}
