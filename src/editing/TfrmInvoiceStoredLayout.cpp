// Building the stored-document editor's controls; its behaviour is in TfrmInvoiceStored.cpp.
#include "CategoryPanels.h"
#include "DocumentPanels.h"
#include "DueDateField.h"
#include "EditorWidgets.h"
#include "TfrmInvoiceStored.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "data/DateText.h"
#include "widgets/Icons.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
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
    : DocumentEditor(context, parent)
{
    setObjectName(hasFullFeatures() ? QStringLiteral("frmInvoiceCorvalo") : QStringLiteral("frmInvoiceOstrev"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setMinimumSize(750, 600);
    resize(1000, 720);

    buildCommands();
    createControls();
    auto *body = new QHBoxLayout;
    body->addWidget(buildControlColumn());
    body->addWidget(m_area, 1);
    layOut(body, buildFooter());
    connectControls();
}

void TfrmInvoiceStored::buildCommands()
{
    using Icons::Command;
    EditingSession &s = m_session;
    addCloseCommand();
    m_commands.addSeparator();
    m_actSave = m_commands.add("actSave", tr("Save"), tr("Save Changes to Invoice"), Command::Save,
                               [&s] { s.save(); }, QKeySequence::Save);
    m_actDelete = m_commands.add("actDelete", tr("Delete"), tr("Delete invoice"), Command::Delete, [this] {
        if (m_session.deleteDocument())
            close();
    });
    m_actPDF = addPdfCommand();
    m_actEmail = m_commands.add("actEmail", tr("E-mail"), tr("Send Invoice by e-mail as a PDF"), Command::Email,
                                [&s] { s.email(); });
    m_commands.addSeparator();
    addPrintCommands();
    m_commands.addSeparator();
    addAccountCommands();
    addJobCommand();
    m_commands.addSeparator();
    addHelpCommand();
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
    m_dtpDueDate = new DueDateField(m_session, m_context.locale, this);
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

    m_area = new DocumentArea(m_session, m_context.company.invData, this);
    m_txtInvoiceFootNotes = new QPlainTextEdit(this);
    m_txtInvoiceFootNotes->setObjectName(QStringLiteral("txtInvoiceFootNotes"));
    m_totals = new TotalsFooter(m_session, hasFullFeatures(), this);
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
        labelFor(m_dtpDueDate, tr("Due Date")),
        m_dtpDueDate,
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
                              labelFor(m_dtpDueDate, tr("Due Date")), m_dtpDueDate,
                              labelFor(m_txtCustPO, tr("Customer P.O. Number")), m_txtCustPO,
                              labelFor(m_SpinEditCustDiscount, tr("Discount Percent")), m_SpinEditCustDiscount,
                              m_btnPaidDeposit}));
    m_panels->addPanel(QStringLiteral("CategoryPanelTax"), tr("Tax"),
                       stack({labelFor(m_txtcustTaxExemptNumber, tr("Tax Exempt Number")), m_txtcustTaxExemptNumber,
                              m_ckbxTaxExempt, m_ckbxTaxRate[0], m_ckbxTaxRate[1], m_ckbxTaxRate[2]}));
    m_panels->addPanel(QStringLiteral("CategoryPanelPrintInfo"), tr("Print Information"),
                       stack({m_ckbxAddSignatureLine, m_ckbxAddContract, m_ckbxAddWarranty}));

    // Each header leads its panel's controls, so Tab walks every panel in turn.
    const QList<QWidget *> tabOrder{m_panels->header(0), m_cmbInvoiceType, m_btnAddCustomer, m_btnAddPriceItem,
                                    m_panels->header(1), m_dateTimePickerInvoice, m_btnAddNotes, m_cmbFootNotes,
                                    m_ckbxRecurring, m_panels->header(2), m_cmbPaymentTerms, m_dtpDueDate, m_txtCustPO,
                                    m_SpinEditCustDiscount, m_btnPaidDeposit, m_panels->header(3),
                                    m_txtcustTaxExemptNumber, m_ckbxTaxExempt, m_ckbxTaxRate[0], m_ckbxTaxRate[1],
                                    m_ckbxTaxRate[2], m_panels->header(4), m_ckbxAddSignatureLine, m_ckbxAddContract,
                                    m_ckbxAddWarranty};
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

QLayout *TfrmInvoiceStored::buildFooter()
{
    // The foot note is one of the company's, chosen in the selector, never typed.
    m_txtInvoiceFootNotes->setReadOnly(true);
    m_txtInvoiceFootNotes->setFocusPolicy(Qt::NoFocus);
    m_txtInvoiceFootNotes->setFixedHeight(m_txtInvoiceFootNotes->fontMetrics().lineSpacing() * 5 + 14);

    auto *footer = new QHBoxLayout;
    footer->addWidget(m_txtInvoiceFootNotes, 1);
    footer->addSpacing(24);
    footer->addWidget(m_totals, 0, Qt::AlignBottom);
    return footer;
}
