// Building the stored-document editor's controls; its behaviour is in TfrmInvoiceStored.cpp.
#include "CategoryPanels.h"
#include "EditorWidgets.h"
#include "TfrmInvoiceStored.h"
#include "app/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "widgets/Icons.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"
#include "data/DateText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

using EditorWidgets::commandButton;
using EditorWidgets::namedLabel;

namespace {

constexpr int kColumnWidth = 200;

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption = {})
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

/// A marker for a field the document cannot do without.
QLabel *requiredMarker(QWidget *parent, const QString &name)
{
    QLabel *marker = namedLabel(parent, name, QStringLiteral("*"));
    marker->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    marker->setFixedWidth(12);
    return marker;
}

QWidget *besideMarker(QWidget *control, QLabel *marker)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control, 1);
    layout->addWidget(marker);
    return row;
}

QLabel *labelFor(QWidget *control, const QString &text)
{
    auto *label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

/// A panel's body: its controls one under the other.
QWidget *stack(const QList<QWidget *> &controls)
{
    auto *body = new QWidget;
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(8, 4, 4, 8);
    for (QWidget *control : controls)
        layout->addWidget(control);
    return body;
}

} // namespace

TfrmInvoiceStored::TfrmInvoiceStored(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(hasFullFeatures() ? QStringLiteral("frmInvoiceCorvalo") : QStringLiteral("frmInvoiceOstrev"));
    setModal(true);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setMinimumSize(750, 600);
    resize(1000, 720);

    buildActions();
    createControls();
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBarInvoice"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar->addAction(m_actClose);
    toolBar->addSeparator();
    toolBar->addAction(m_actSave);
    toolBar->addAction(m_actDelete);
    toolBar->addAction(m_actPDF);
    toolBar->addSeparator();
    toolBar->addAction(m_actPrintPreview);
    toolBar->addAction(m_actPrint);
    toolBar->addSeparator();
    toolBar->addAction(m_actHelp);

    auto *body = new QHBoxLayout;
    body->addWidget(buildControlColumn());
    body->addLayout(buildDocumentArea(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(toolBar);
    layout->addLayout(body, 1);
    layout->addLayout(buildFooter());

    setWindowState(context.preferences[AppPreferences::FrmInvoiceMaximized] ? Qt::WindowMaximized
                                                                             : Qt::WindowNoState);

    const auto refresh = [this] { pChangeData(); };
    connect(m_cmbInvoiceType, &QComboBox::currentTextChanged, this, refresh);
    connect(m_dateTimePickerInvoice, &QDateEdit::dateChanged, this, refresh);
    connect(m_cmbPaymentTerms, &QComboBox::currentTextChanged, this, refresh);
    connect(m_cmbFootNotes, &QComboBox::currentIndexChanged, this, refresh);
    connect(m_txtCustPO, &QLineEdit::textChanged, this, refresh);
    connect(m_txtcustTaxExemptNumber, &QLineEdit::textChanged, this, refresh);
    connect(m_ckbxTaxExempt, &QCheckBox::toggled, this, refresh);
    for (QCheckBox *box : m_ckbxTaxRate)
        connect(box, &QCheckBox::toggled, this, refresh);
    if (hasFullFeatures()) {
        connect(m_SpinEditCustDiscount, &QSpinBox::valueChanged, this, refresh);
        connect(m_ckbxRecurring, &QCheckBox::toggled, this, refresh);
        for (QCheckBox *option : {m_ckbxAddSignatureLine, m_ckbxAddContract, m_ckbxAddWarranty})
            connect(option, &QCheckBox::clicked, this, &TfrmInvoiceStored::pSetNonSaveData);
    }
    connect(m_btnAddCustomer, &QPushButton::clicked, this, &TfrmInvoiceStored::btnAddCustomerClick);
    connect(m_btnAddPriceItem, &QPushButton::clicked, this, &TfrmInvoiceStored::btnAddPriceItemClick);
    connect(m_btnAddNotes, &QPushButton::clicked, this, &TfrmInvoiceStored::btnAddNotesClick);
    connect(m_btnPaidDeposit, &QPushButton::clicked, this, &TfrmInvoiceStored::btnPaidDepositClick);
    connect(m_lstInvoice, &QTableView::clicked, this, [this](const QModelIndex &index) { editLine(index.row()); });
    WheelGuard::protect(this);
    Mnemonics::giveCommands(this);
}

void TfrmInvoiceStored::buildActions()
{
    const auto make = [this](const char *name, const QString &caption, const QString &hint, const char *icon) {
        QAction *action = FormFields::action(this, QString::fromLatin1(name), caption, hint,
                                             QIcon::fromTheme(QString::fromLatin1(icon)));
        addAction(action); // shortcuts work wherever the focus is
        return action;
    };
    m_actClose = make("actClose", tr("Close"), tr("Close"), "system-log-out");
    m_actSave = make("actSave", tr("Save"), tr("Save Changes to Invoice"), "document-save");
    m_actDelete = make("actDelete", tr("Delete"), tr("Delete invoice"), "edit-delete");
    m_actPDF = make("actPDF", tr("PDF"), tr("Save Invoice as a PDF"), "");
    m_actPDF->setIcon(Icons::forCommand(Icons::Command::Pdf));
    m_actPrintPreview = make("actPrintPreview", tr("Print Preview"), tr("Print Preview Invoice"),
                             "document-print-preview");
    m_actPrint = make("actPrint", tr("Print"), tr("Print Invoice"), "document-print");
    m_actHelp = make("actHelp", tr("Help"), tr("Open Help"), "help-browser");
    m_actSave->setShortcut(QKeySequence::Save);
    m_actPrint->setShortcut(QKeySequence::Print);
    m_actHelp->setShortcut(QKeySequence::HelpContents);
    connect(m_actClose, &QAction::triggered, this, &QDialog::close);
    connect(m_actSave, &QAction::triggered, this, [this] { (void)actSaveExecute(); });
    connect(m_actDelete, &QAction::triggered, this, &TfrmInvoiceStored::actDeleteExecute);
    connect(m_actPDF, &QAction::triggered, this, &TfrmInvoiceStored::actPDFExecute);
    connect(m_actPrint, &QAction::triggered, this, [this] { printDocument(false); });
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printDocument(true); });
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
}

void TfrmInvoiceStored::createControls()
{
    m_cmbInvoiceType = new QComboBox(this);
    m_cmbInvoiceType->setObjectName(QStringLiteral("cmbInvoiceType"));
    m_btnAddCustomer = commandButton(this, QStringLiteral("btnAddCustomer"), tr("Add Customer"));
    m_btnAddPriceItem = commandButton(this, QStringLiteral("btnAddPriceItem"), tr("Add Price Item"));
    m_dateTimePickerInvoice = new DateField(this);
    m_dateTimePickerInvoice->setObjectName(QStringLiteral("dateTimePickerInvoice"));
    m_dateTimePickerInvoice->setCalendarPopup(true);
    m_dateTimePickerInvoice->setLocale(m_context.locale);
    m_dateTimePickerInvoice->setDisplayFormat(DateText::shortDateFormat(m_context.locale));
    m_cmbPaymentTerms = new QComboBox(this);
    m_cmbPaymentTerms->setObjectName(QStringLiteral("cmbPaymentTerms"));
    m_cmbPaymentTerms->setEditable(true);
    m_cmbPaymentTerms->setInsertPolicy(QComboBox::NoInsert);
    m_btnAddNotes = commandButton(this, QStringLiteral("btnAddNotes"), tr("Add Invoice Notes"));
    m_btnPaidDeposit = commandButton(this, QStringLiteral("btnPaidDeposit"));
    m_cmbFootNotes = new QComboBox(this);
    m_cmbFootNotes->setObjectName(QStringLiteral("cmbFootNotes"));
    m_cmbFootNotes->addItems({tr("No Foot Notes"), tr("Foot Note 1"), tr("Foot Note 2"), tr("Foot Note 3")});
    m_txtCustPO = FormFields::textField(this, QStringLiteral("txtCustPO"), 25, {});
    m_txtcustTaxExemptNumber = FormFields::textField(this, QStringLiteral("txtcustTaxExemptNumber"), 25, {});
    m_ckbxTaxExempt = checkBox(this, QStringLiteral("ckbxTaxExempt"), tr("Tax Exempt"));
    for (int i = 0; i < 3; ++i)
        m_ckbxTaxRate[i] = checkBox(this, QStringLiteral("ckbxTaxRate%1").arg(i + 1));
    if (hasFullFeatures()) {
        m_SpinEditCustDiscount = new SpinField(this);
        m_SpinEditCustDiscount->setObjectName(QStringLiteral("SpinEditCustDiscount"));
        m_SpinEditCustDiscount->setRange(0, 100);
        m_SpinEditCustDiscount->setSuffix(QStringLiteral(" %"));
        // Stepped with the arrows only, so no typed text can be half a number.
        makeArrowsOnly(m_SpinEditCustDiscount);
        m_ckbxRecurring = checkBox(this, QStringLiteral("ckbxRecurring"), tr("Set As Recurring"));
        m_ckbxAddSignatureLine = checkBox(this, QStringLiteral("ckbxAddSignatureLine"), tr("Add Signature Line"));
        m_ckbxAddContract = checkBox(this, QStringLiteral("ckbxAddContract"), tr("Print Contract"));
        m_ckbxAddWarranty = checkBox(this, QStringLiteral("ckbxAddWarranty"), tr("Print Warranty"));
    } else {
        m_lblArtskCustomer = requiredMarker(this, QStringLiteral("lblArtskCustomer"));
        m_lblArtskPriceItem = requiredMarker(this, QStringLiteral("lblArtskPriceItem"));
    }

    m_lblInvoiceNameNumber = namedLabel(this, QStringLiteral("lblInvoiceNameNumber"));
    m_lblInvoiceDate = namedLabel(this, QStringLiteral("lblInvoiceDate"));
    m_lblInvInfo = namedLabel(this, QStringLiteral("lblInvInfo"));
    m_txtCustInformation = new QPlainTextEdit(this);
    m_txtCustInformation->setObjectName(QStringLiteral("txtCustInformation"));
    m_lstInvoice = new QTableView(this);
    m_lstInvoice->setObjectName(QStringLiteral("lstInvoice"));
    m_txtInvoiceFootNotes = new QPlainTextEdit(this);
    m_txtInvoiceFootNotes->setObjectName(QStringLiteral("txtInvoiceFootNotes"));
    m_lblPaidAndDeposit = namedLabel(this, QStringLiteral("lblPaidAndDeposit"));
    m_txtPaidAndDeposit = FormFields::readOnlyField(this, QStringLiteral("txtPaidAndDeposit"));
    m_txtInvoiceSubTotal = FormFields::readOnlyField(this, QStringLiteral("txtInvoiceSubTotal"));
    m_txtInvoiceTaxTotal = FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTaxTotal"));
    if (hasFullFeatures())
        m_txtInvoiceDiscount = FormFields::readOnlyField(this, QStringLiteral("txtInvoiceDiscount"));
    m_lblTotal = namedLabel(this, QStringLiteral("lblTotal"));
    m_txtInvoiceTotal = FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTotal"));
}

QWidget *TfrmInvoiceStored::buildControlColumn()
{
    QWidget *column = hasFullFeatures() ? buildPanelColumn() : buildPlainColumn();
    column->setFixedWidth(kColumnWidth);
    return column;
}

QWidget *TfrmInvoiceStored::buildPlainColumn()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const QList<QWidget *> controls{
        m_cmbInvoiceType,
        besideMarker(m_btnAddCustomer, m_lblArtskCustomer),
        besideMarker(m_btnAddPriceItem, m_lblArtskPriceItem),
        labelFor(m_dateTimePickerInvoice, tr("Invoice Date")),
        m_dateTimePickerInvoice,
        labelFor(m_cmbPaymentTerms, tr("Payment Terms")),
        m_cmbPaymentTerms,
        m_btnAddNotes,
        m_btnPaidDeposit,
        m_cmbFootNotes,
        labelFor(m_txtCustPO, tr("Customer P.O. Number")),
        m_txtCustPO,
        labelFor(m_txtcustTaxExemptNumber, tr("Tax Exempt Number")),
        m_txtcustTaxExemptNumber,
        m_ckbxTaxExempt,
        m_ckbxTaxRate[0],
        m_ckbxTaxRate[1],
        m_ckbxTaxRate[2],
    };
    for (QWidget *control : controls)
        layout->addWidget(control);
    layout->addStretch(1);
    return column;
}

QWidget *TfrmInvoiceStored::buildPanelColumn()
{
    m_panels = new CategoryPanelGroup;
    m_panels->setObjectName(QStringLiteral("CategoryPanelGroup"));
    m_panels->addPanel(QStringLiteral("CategoryPanelRequired"), tr("Required"),
                       stack({m_cmbInvoiceType, m_btnAddCustomer, m_btnAddPriceItem}));
    m_panels->addPanel(QStringLiteral("CategoryPanelInvoice"), tr("Invoice"),
                       stack({labelFor(m_dateTimePickerInvoice, tr("Invoice Date")), m_dateTimePickerInvoice,
                              m_btnAddNotes, m_cmbFootNotes, m_ckbxRecurring}));
    m_panels->addPanel(QStringLiteral("CategoryPanelCustomer"), tr("Customer"),
                       stack({labelFor(m_cmbPaymentTerms, tr("Payment Terms")), m_cmbPaymentTerms,
                              labelFor(m_txtCustPO, tr("Customer P.O. Number")), m_txtCustPO,
                              labelFor(m_SpinEditCustDiscount, tr("Discount Percent")), m_SpinEditCustDiscount,
                              m_btnPaidDeposit}));
    m_panels->addPanel(QStringLiteral("CategoryPanelTax"), tr("Tax"),
                       stack({labelFor(m_txtcustTaxExemptNumber, tr("Tax Exempt Number")), m_txtcustTaxExemptNumber,
                              m_ckbxTaxExempt, m_ckbxTaxRate[0], m_ckbxTaxRate[1], m_ckbxTaxRate[2]}));
    m_panels->addPanel(QStringLiteral("CategoryPanelPrintInfo"), tr("Print Information"),
                       stack({m_ckbxAddSignatureLine, m_ckbxAddContract, m_ckbxAddWarranty}));

    const QList<QWidget *> tabOrder{m_cmbInvoiceType, m_btnAddCustomer, m_btnAddPriceItem,
                                    m_dateTimePickerInvoice, m_btnAddNotes, m_cmbFootNotes, m_ckbxRecurring,
                                    m_cmbPaymentTerms, m_txtCustPO, m_SpinEditCustDiscount, m_btnPaidDeposit,
                                    m_txtcustTaxExemptNumber, m_ckbxTaxExempt, m_ckbxTaxRate[0], m_ckbxTaxRate[1],
                                    m_ckbxTaxRate[2], m_ckbxAddSignatureLine, m_ckbxAddContract, m_ckbxAddWarranty};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    // The group scrolls only when the window is too short for the open panel.
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_panels);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}

QLayout *TfrmInvoiceStored::buildDocumentArea()
{
    QFont heading = m_lblInvoiceNameNumber->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    m_lblInvoiceNameNumber->setFont(heading);
    for (QLabel *label : {m_lblInvoiceNameNumber, m_lblInvoiceDate, m_lblInvInfo})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_txtCustInformation->setReadOnly(true);
    m_txtCustInformation->setFocusPolicy(Qt::ClickFocus);
    m_txtCustInformation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtCustInformation->setFixedHeight(m_txtCustInformation->fontMetrics().lineSpacing() * 7 + 12);

    EditorWidgets::setupLineList(m_lstInvoice, m_context.document.lines);
    m_lstInvoice->installEventFilter(this);
    EditorWidgets::pResizeListBox(m_lstInvoice, m_context.company.invData);

    auto *titles = new QVBoxLayout;
    titles->addWidget(m_lblInvoiceNameNumber);
    titles->addWidget(m_lblInvoiceDate);
    titles->addWidget(m_lblInvInfo);
    titles->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_txtCustInformation, 1);
    top->addSpacing(12);
    top->addLayout(titles, 1);

    auto *area = new QVBoxLayout;
    area->addLayout(top);
    area->addWidget(m_lstInvoice, 1);
    return area;
}

QLayout *TfrmInvoiceStored::buildFooter()
{
    // The foot note is one of the company's, chosen in the selector, never typed.
    m_txtInvoiceFootNotes->setReadOnly(true);
    m_txtInvoiceFootNotes->setFocusPolicy(Qt::NoFocus);
    m_txtInvoiceFootNotes->setFixedHeight(m_txtInvoiceFootNotes->fontMetrics().lineSpacing() * 5 + 14);

    FormFields::markAsTotal(m_txtInvoiceTotal);
    auto *totals = new QGridLayout;
    QList<QPair<QLabel *, QLineEdit *>> rows{
        {m_lblPaidAndDeposit, m_txtPaidAndDeposit},
        {new QLabel(tr("Sub Total"), this), m_txtInvoiceSubTotal},
        {new QLabel(tr("Tax Total"), this), m_txtInvoiceTaxTotal},
    };
    if (m_txtInvoiceDiscount)
        rows.append({new QLabel(tr("Discount Amount"), this), m_txtInvoiceDiscount});
    rows.append({m_lblTotal, m_txtInvoiceTotal});
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rows[row].first->setBuddy(rows[row].second);
        rows[row].second->setAlignment(Qt::AlignRight);
        rows[row].second->setFixedWidth(160);
        totals->addWidget(rows[row].first, row, 0);
        totals->addWidget(rows[row].second, row, 1);
    }

    auto *footer = new QHBoxLayout;
    footer->addWidget(m_txtInvoiceFootNotes, 1);
    footer->addSpacing(24);
    footer->addLayout(totals);
    return footer;
}
