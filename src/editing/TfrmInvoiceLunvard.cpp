#include "TfrmInvoiceLunvard.h"

#include "DocumentPanels.h"
#include "EditorWidgets.h"
#include "TfrmInvoiceNotes.h"
#include "TfrmPaidAndDeposit.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "widgets/Icons.h"
#include "customers/TfrmCustomerLunvard.h"
#include "data/DateText.h"
#include "prices/TfrmPriceLunvard.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kFootNoteLines = 5;

using EditorWidgets::commandButton;

} // namespace

TfrmInvoiceLunvard::TfrmInvoiceLunvard(AppContext &context, QWidget *parent)
    : DocumentEditor(context, parent)
    , m_cmbInvoiceType(new QComboBox(this))
    , m_btnAddCustomer(commandButton(this, QStringLiteral("btnAddCustomer"), tr("Add Customer")))
    , m_btnAddPriceItem(commandButton(this, QStringLiteral("btnAddPriceItem"), tr("Add Price Item")))
    , m_dateTimePickerInvoice(new DateField(this))
    , m_txtPaymentTerms(FormFields::textField(this, QStringLiteral("txtPaymentTerms"), 25, {}))
    , m_btnAddNotes(commandButton(this, QStringLiteral("btnAddNotes"), tr("Add Invoice Notes")))
    , m_btnPaidDeposit(commandButton(this, QStringLiteral("btnPaidDeposit")))
    , m_ckbxTaxRate{new QCheckBox(this), new QCheckBox(this), new QCheckBox(this)}
    , m_area(new DocumentArea(m_session, context.company.invData, this))
    , m_txtInvoiceFootNotes(new QPlainTextEdit(this))
    , m_totals(new TotalsFooter(m_session, false, this))
{
    setObjectName(QStringLiteral("frmInvoiceLunvard"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setMinimumSize(750, 600);
    resize(960, 700);

    buildCommands();
    auto *body = new QHBoxLayout;
    body->addLayout(buildControlColumn());
    body->addWidget(m_area, 1);
    layOut(body, buildFooter());
    connectControls();
}

void TfrmInvoiceLunvard::buildCommands()
{
    addCloseCommand();
    m_commands.addSeparator();
    addPrintCommands();
    m_commands.addSeparator();
    addHelpCommand();
}

void TfrmInvoiceLunvard::connectControls()
{
    const auto user = [this](auto change) { return byUser(change); };
    EditingSession &s = m_session;
    connect(m_cmbInvoiceType, &QComboBox::currentTextChanged, this, user([&s](const QString &v) { s.setKind(v); }));
    connect(m_dateTimePickerInvoice, &QDateEdit::dateChanged, this, user([&s](QDate v) { s.setDate(v); }));
    connect(m_txtPaymentTerms, &QLineEdit::textChanged, this, user([&s](const QString &v) { s.setPaymentTerms(v); }));
    for (int i = 0; i < 3; ++i)
        connect(m_ckbxTaxRate[i], &QCheckBox::toggled, this, user([&s, i](bool v) { s.setUseTax(i, v); }));
    connect(m_txtInvoiceFootNotes->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int) { m_footNoteEditPosition = position; });
    connect(m_txtInvoiceFootNotes, &QPlainTextEdit::textChanged, this, &TfrmInvoiceLunvard::txtInvoiceFootNotesChange);
    connect(m_btnAddCustomer, &QPushButton::clicked, this, [this] { edit<TfrmCustomerLunvard>(); });
    connect(m_btnAddPriceItem, &QPushButton::clicked, this, [this] { edit<TfrmPriceLunvard>(); });
    connect(m_btnAddNotes, &QPushButton::clicked, this, [this] { edit<TfrmInvoiceNotes>(); });
    connect(m_btnPaidDeposit, &QPushButton::clicked, this, [this] { edit<TfrmPaidAndDeposit>(); });
    connect(m_area, &DocumentArea::lineChosen, this, &TfrmInvoiceLunvard::editLine);
}

QLayout *TfrmInvoiceLunvard::buildControlColumn()
{
    m_cmbInvoiceType->setObjectName(QStringLiteral("cmbInvoiceType"));
    m_cmbInvoiceType->setEditable(false);
    m_dateTimePickerInvoice->setObjectName(QStringLiteral("dateTimePickerInvoice"));
    m_dateTimePickerInvoice->setCalendarPopup(true);
    m_dateTimePickerInvoice->setLocale(m_context.locale);
    m_dateTimePickerInvoice->setDisplayFormat(DateText::shortDateFormat(m_context.locale));
    for (int i = 0; i < 3; ++i)
        m_ckbxTaxRate[i]->setObjectName(QStringLiteral("ckbxTaxRate%1").arg(i + 1));

    auto *dateLabel = new QLabel(tr("Invoice Date"), this);
    dateLabel->setBuddy(m_dateTimePickerInvoice);
    auto *termsLabel = new QLabel(tr("Payment Terms"), this);
    termsLabel->setBuddy(m_txtPaymentTerms);

    auto *column = new QVBoxLayout;
    column->addWidget(m_cmbInvoiceType);
    column->addSpacing(6);
    column->addWidget(m_btnAddCustomer);
    column->addWidget(m_btnAddPriceItem);
    column->addSpacing(6);
    column->addWidget(dateLabel);
    column->addWidget(m_dateTimePickerInvoice);
    column->addWidget(termsLabel);
    column->addWidget(m_txtPaymentTerms);
    column->addSpacing(6);
    column->addWidget(m_btnAddNotes);
    column->addWidget(m_btnPaidDeposit);
    column->addSpacing(6);
    for (QCheckBox *box : m_ckbxTaxRate)
        column->addWidget(box);
    column->addStretch(1);
    for (int i = 0; i < column->count(); ++i) {
        if (QWidget *widget = column->itemAt(i)->widget())
            widget->setFixedWidth(190);
    }
    return column;
}

QLayout *TfrmInvoiceLunvard::buildFooter()
{
    m_txtInvoiceFootNotes->setObjectName(QStringLiteral("txtInvoiceFootNotes"));
    m_txtInvoiceFootNotes->setTabChangesFocus(true);
    m_txtInvoiceFootNotes->setFixedHeight(m_txtInvoiceFootNotes->fontMetrics().lineSpacing() * kFootNoteLines + 14);
    auto *footNoteLabel = new QLabel(tr("Add Foot Note"), this);
    footNoteLabel->setBuddy(m_txtInvoiceFootNotes);
    auto *footNote = new QVBoxLayout;
    footNote->addWidget(footNoteLabel);
    footNote->addWidget(m_txtInvoiceFootNotes);

    auto *footer = new QHBoxLayout;
    footer->addLayout(footNote, 1);
    footer->addSpacing(24);
    footer->addWidget(m_totals, 0, Qt::AlignBottom);
    return footer;
}

void TfrmInvoiceLunvard::opened()
{
    pShowFormInformation();
    // The foot note belongs to the printout, not to the document.
    m_txtInvoiceFootNotes->clear();
    m_acceptedFootNote.clear();
    m_session.open();
    showDocument();
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmInvoiceLunvard::pShowFormInformation()
{
    m_cmbInvoiceType->setToolTip(tr("Select Invoice Type"));
    m_btnAddCustomer->setToolTip(tr("Add a Customer"));
    m_btnAddPriceItem->setToolTip(tr("Add a Price Item"));
    m_dateTimePickerInvoice->setToolTip(tr("Select a date to use"));
    m_txtPaymentTerms->setToolTip(tr("Enter a Payment Term"));
    m_btnAddNotes->setToolTip(tr("Add Invoice Notes - ( Printed on Invoice )"));
    m_txtInvoiceFootNotes->setToolTip(tr("Add a Foot Note"));
    HeaderControls::setUpTaxBoxes(m_ckbxTaxRate, m_context.company.invData);
}

void TfrmInvoiceLunvard::showDocument()
{
    QScopedValueRollback guard(m_showing, true);
    const TrecInvHeader &header = m_session.header();
    setWindowTitle(m_session.caption());
    HeaderControls::showKinds(m_cmbInvoiceType, m_session);
    m_dateTimePickerInvoice->setDate(m_session.date());
    if (m_txtPaymentTerms->text() != header.strCustPymntTerms)
        FormFields::showWhole(m_txtPaymentTerms, header.strCustPymntTerms);
    m_ckbxTaxRate[0]->setChecked(header.strUseTax1);
    m_ckbxTaxRate[1]->setChecked(header.strUseTax2);
    m_ckbxTaxRate[2]->setChecked(header.strUseTax3);
    if (const auto wording = m_session.paidDepositWording()) {
        m_btnPaidDeposit->setText(wording->caption);
        m_btnPaidDeposit->setToolTip(wording->hint);
    }
    m_area->showDocument();
    m_totals->showDocument();
    const bool printable = m_session.isComplete();
    m_actPrint->setEnabled(printable);
    m_actPrintPreview->setEnabled(printable);
}

void TfrmInvoiceLunvard::txtInvoiceFootNotesChange()
{
    if (m_txtInvoiceFootNotes->blockCount() > kFootNoteLines) {
        // Put back the last text that fitted, with the caret where the refused edit began.
        const int position = std::min(m_footNoteEditPosition, int(m_acceptedFootNote.size()));
        const QSignalBlocker quiet(m_txtInvoiceFootNotes);
        m_txtInvoiceFootNotes->setPlainText(m_acceptedFootNote);
        QTextCursor cursor = m_txtInvoiceFootNotes->textCursor();
        cursor.setPosition(position);
        m_txtInvoiceFootNotes->setTextCursor(cursor);
        return;
    }
    m_acceptedFootNote = m_txtInvoiceFootNotes->toPlainText();
    m_session.setPrintedFootNote(m_acceptedFootNote);
}
