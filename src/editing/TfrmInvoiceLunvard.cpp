#include "TfrmInvoiceLunvard.h"

#include "DocumentDialog.h"
#include "DocumentOutput.h"
#include "EditorRules.h"
#include "EditorWidgets.h"
#include "TfrmInvoiceNotes.h"
#include "TfrmInvoicePriceItemEdit.h"
#include "TfrmPaidAndDeposit.h"
#include "app/AppContext.h"
#include "core/Edition.h"
#include "widgets/FormFields.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"
#include "core/Prompts.h"
#include "customers/TfrmCustomerLunvard.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Totals.h"
#include "prices/TfrmPriceLunvard.h"
#include "PrintBusy.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kFootNoteLines = 5;

using EditorWidgets::commandButton;
using EditorWidgets::namedLabel;

} // namespace

TfrmInvoiceLunvard::TfrmInvoiceLunvard(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_cmbInvoiceType(new QComboBox(this))
    , m_btnAddCustomer(commandButton(this, QStringLiteral("btnAddCustomer"), tr("Add Customer")))
    , m_btnAddPriceItem(commandButton(this, QStringLiteral("btnAddPriceItem"), tr("Add Price Item")))
    , m_dateTimePickerInvoice(new DateField(this))
    , m_txtPaymentTerms(FormFields::textField(this, QStringLiteral("txtPaymentTerms"), 25, {}))
    , m_btnAddNotes(commandButton(this, QStringLiteral("btnAddNotes"), tr("Add Invoice Notes")))
    , m_btnPaidDeposit(commandButton(this, QStringLiteral("btnPaidDeposit")))
    , m_ckbxTaxRate{new QCheckBox(this), new QCheckBox(this), new QCheckBox(this)}
    , m_lblInvoiceNameNumber(namedLabel(this, QStringLiteral("lblInvoiceNameNumber")))
    , m_lblInvoiceDate(namedLabel(this, QStringLiteral("lblInvoiceDate")))
    , m_lblInvInfo(namedLabel(this, QStringLiteral("lblInvInfo")))
    , m_txtCustInformation(new QPlainTextEdit(this))
    , m_lstInvoice(new QTableView(this))
    , m_txtInvoiceFootNotes(new QPlainTextEdit(this))
    , m_lblPaidAndDeposit(namedLabel(this, QStringLiteral("lblPaidAndDeposit")))
    , m_txtPaidAndDeposit(FormFields::readOnlyField(this, QStringLiteral("txtPaidAndDeposit")))
    , m_txtInvoiceSubTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceSubTotal")))
    , m_txtInvoiceTaxTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTaxTotal")))
    , m_lblTotal(namedLabel(this, QStringLiteral("lblTotal")))
    , m_txtInvoiceTotal(FormFields::readOnlyField(this, QStringLiteral("txtInvoiceTotal")))
{
    setObjectName(QStringLiteral("frmInvoiceLunvard"));
    setModal(true);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setMinimumSize(750, 600);
    resize(960, 700);

    buildActions();
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBarInvoice"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar->addAction(m_actClose);
    toolBar->addSeparator();
    toolBar->addAction(m_actPrintPreview);
    toolBar->addAction(m_actPrint);
    toolBar->addSeparator();
    toolBar->addAction(m_actHelp);

    auto *body = new QHBoxLayout;
    body->addLayout(buildControlColumn());
    body->addLayout(buildDocumentArea(), 1);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(toolBar);
    layout->addLayout(body, 1);
    layout->addLayout(buildFooter());

    setWindowState(context.preferences[AppPreferences::FrmInvoiceMaximized] ? Qt::WindowMaximized
                                                                             : Qt::WindowNoState);

    connect(m_cmbInvoiceType, &QComboBox::currentTextChanged, this, &TfrmInvoiceLunvard::pChangeData);
    connect(m_dateTimePickerInvoice, &QDateEdit::dateChanged, this, &TfrmInvoiceLunvard::pChangeData);
    connect(m_txtPaymentTerms, &QLineEdit::textChanged, this, &TfrmInvoiceLunvard::pChangeData);
    for (QCheckBox *box : m_ckbxTaxRate)
        connect(box, &QCheckBox::toggled, this, &TfrmInvoiceLunvard::pChangeData);
    connect(m_txtInvoiceFootNotes->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int) { m_footNoteEditPosition = position; });
    connect(m_txtInvoiceFootNotes, &QPlainTextEdit::textChanged, this, &TfrmInvoiceLunvard::txtInvoiceFootNotesChange);
    connect(m_btnAddCustomer, &QPushButton::clicked, this, &TfrmInvoiceLunvard::btnAddCustomerClick);
    connect(m_btnAddPriceItem, &QPushButton::clicked, this, &TfrmInvoiceLunvard::btnAddPriceItemClick);
    connect(m_btnAddNotes, &QPushButton::clicked, this, &TfrmInvoiceLunvard::btnAddNotesClick);
    connect(m_btnPaidDeposit, &QPushButton::clicked, this, &TfrmInvoiceLunvard::btnPaidDepositClick);
    connect(m_lstInvoice, &QTableView::clicked, this, [this](const QModelIndex &index) { editLine(index.row()); });
    WheelGuard::protect(this);
    Mnemonics::giveCommands(this);
}

void TfrmInvoiceLunvard::buildActions()
{
    m_actClose = FormFields::action(this, QStringLiteral("actClose"), tr("Close"), tr("Close"),
                                    QIcon::fromTheme(QStringLiteral("system-log-out")));
    m_actPrintPreview = FormFields::action(this, QStringLiteral("actPrintPreview"), tr("Print Preview"),
                                           tr("Print Preview Invoice"),
                                           QIcon::fromTheme(QStringLiteral("document-print-preview")));
    m_actPrint = FormFields::action(this, QStringLiteral("actPrint"), tr("Print"), tr("Print Invoice"),
                                    QIcon::fromTheme(QStringLiteral("document-print")));
    m_actHelp = FormFields::action(this, QStringLiteral("actHelp"), tr("Help"), tr("Open Help"),
                                   QIcon::fromTheme(QStringLiteral("help-browser")));
    m_actPrint->setShortcut(QKeySequence::Print);
    m_actHelp->setShortcut(QKeySequence::HelpContents);
    for (QAction *action : {m_actClose, m_actPrintPreview, m_actPrint, m_actHelp})
        addAction(action); // shortcuts work wherever the focus is
    connect(m_actClose, &QAction::triggered, this, &QDialog::close);
    connect(m_actPrint, &QAction::triggered, this, [this] { printDocument(false); });
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printDocument(true); });
    connect(m_actHelp, &QAction::triggered, this,
            [this] { m_context.pOpenHelp(); });
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

QLayout *TfrmInvoiceLunvard::buildDocumentArea()
{
    QFont heading = m_lblInvoiceNameNumber->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    m_lblInvoiceNameNumber->setFont(heading);
    for (QLabel *label : {m_lblInvoiceNameNumber, m_lblInvoiceDate, m_lblInvInfo})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_txtCustInformation->setObjectName(QStringLiteral("txtCustInformation"));
    m_txtCustInformation->setReadOnly(true);
    m_txtCustInformation->setFocusPolicy(Qt::ClickFocus);
    m_txtCustInformation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtCustInformation->setFixedHeight(m_txtCustInformation->fontMetrics().lineSpacing() * 7 + 12);

    m_lstInvoice->setObjectName(QStringLiteral("lstInvoice"));
    EditorWidgets::setupLineList(m_lstInvoice, m_context.document.lines);
    m_lstInvoice->installEventFilter(this);
    pResizeListBox();

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

    FormFields::markAsTotal(m_txtInvoiceTotal);
    auto *totals = new QGridLayout;
    const QList<QPair<QLabel *, QLineEdit *>> rows{
        {m_lblPaidAndDeposit, m_txtPaidAndDeposit},
        {new QLabel(tr("Sub Total"), this), m_txtInvoiceSubTotal},
        {new QLabel(tr("Tax Total"), this), m_txtInvoiceTaxTotal},
        {m_lblTotal, m_txtInvoiceTotal},
    };
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        totals->addWidget(rows[row].first, row, 0);
        totals->addWidget(rows[row].second, row, 1);
        rows[row].second->setFixedWidth(170);
    }

    auto *footer = new QHBoxLayout;
    footer->addLayout(footNote, 1);
    footer->addSpacing(24);
    footer->addLayout(totals);
    return footer;
}

void TfrmInvoiceLunvard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmInvoiceLunvard::done(int result)
{
    // Every way of closing passes here: Close, the close box and Escape.
    m_context.preferences[AppPreferences::FrmInvoiceMaximized] = isMaximized();
    QDialog::done(result);
}

bool TfrmInvoiceLunvard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstInvoice && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editLine(m_lstInvoice->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmInvoiceLunvard::FormShow()
{
    m_refreshGuard = false;
    pShowFormInformation();
    pLoadInvoiceData();
    pChangeData();
    // Nothing has changed yet that would need printing, unless the rates were replaced.
    m_actPrint->setEnabled(m_taxRatesUpdated && isPrintable());
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
    m_lstInvoice->setToolTip(tr("Click on a Price Item to edit"));

    const TrecCmpnyInvData &company = m_context.company.invData;
    const double rates[3] = {company.dbTaxRate1, company.dbTaxRate2, company.dbTaxRate3};
    const QString names[3] = {company.strTaxName1, company.strTaxName2, company.strTaxName3};
    for (int i = 0; i < 3; ++i) {
        QCheckBox *box = m_ckbxTaxRate[i];
        box->setToolTip(tr("Check to use this tax"));
        if (rates[i] > 0) {
            box->setText(names[i]);
        } else {
            box->setText(tr("Tax %1").arg(i + 1));
            box->setEnabled(false);
        }
    }
}

void TfrmInvoiceLunvard::pLoadInvoiceData()
{
    QScopedValueRollback guard(m_refreshGuard, true);
    TrecInvHeader &header = m_context.document.header;
    pLoadInvNames();

    const QDate stored = DateText::parseShortDate(header.strInvDate, m_context.locale);
    m_dateTimePickerInvoice->setDate(stored.isValid() ? stored : QDate::currentDate());

    pLoadCustomerInformation();
    FormFields::showWhole(m_txtPaymentTerms, header.strCustPymntTerms);
    // The foot note belongs to the printout, not to the stored document.
    m_txtInvoiceFootNotes->clear();
    m_acceptedFootNote.clear();
    m_ckbxTaxRate[0]->setChecked(header.strUseTax1);
    m_ckbxTaxRate[1]->setChecked(header.strUseTax2);
    m_ckbxTaxRate[2]->setChecked(header.strUseTax3);

    m_taxRatesUpdated = false;
    const TrecCmpnyInvData &company = m_context.company.invData;
    if (EditorRules::taxRatesDiffer(header, company)
        && m_context.prompts().ShowYesNo(EditorRules::taxRatesQuestion(header)) == Prompts::Yes) {
        EditorRules::useCurrentTaxRates(header, company);
        m_taxRatesUpdated = true;
    }
}

void TfrmInvoiceLunvard::pLoadInvNames()
{
    const TrecInvHeader &header = m_context.document.header;
    const EditorRules::KindChoice choice =
        EditorRules::pLoadInvNames(m_context.InvoiceTypes, header.strInvName, header.blnNewInvoice);
    m_cmbInvoiceType->clear();
    m_cmbInvoiceType->addItems(choice.kinds);
    m_cmbInvoiceType->setCurrentIndex(0);
    m_cmbInvoiceType->setEnabled(choice.enabled);
}

void TfrmInvoiceLunvard::pLoadCustomerInformation()
{
    const TrecInvHeader &header = m_context.document.header;
    m_txtCustInformation->setPlainText(EditorRules::customerBlock(header));
    m_txtCustInformation->moveCursor(QTextCursor::Start);
    // A customer without terms of its own keeps the terms already typed.
    if (!header.strCustPymntTerms.isEmpty())
        FormFields::showWhole(m_txtPaymentTerms, header.strCustPymntTerms);
}

void TfrmInvoiceLunvard::pResizeListBox()
{
    EditorWidgets::pResizeListBox(m_lstInvoice, m_context.company.invData);
}

bool TfrmInvoiceLunvard::isPrintable() const
{
    return m_context.document.lines.rowCount() > 0 && !m_txtCustInformation->toPlainText().isEmpty();
}

void TfrmInvoiceLunvard::pChangeData()
{
    if (m_refreshGuard)
        return;
    QScopedValueRollback guard(m_refreshGuard, true);
    CurrentDocument &doc = m_context.document;
    TrecInvHeader &header = doc.header;
    const QLocale &locale = m_context.locale;

    header.strInvName = m_cmbInvoiceType->currentText();
    const QString number = QString::number(header.intInvNumber);
    setWindowTitle(header.strInvName + QLatin1Char(' ') + number);
    m_lblInvoiceNameNumber->setText(header.strInvName + QStringLiteral(" Number: ") + number);
    header.strInvDate = DateText::shortDate(m_dateTimePickerInvoice->date(), locale);
    m_lblInvoiceDate->setText(header.strInvDate);
    header.strCustPymntTerms = m_txtPaymentTerms->text();
    m_lblInvInfo->setText(DocumentKinds::GetInvoiceTitle({header.strInvName, header.strInvDate,
                                                          header.strFromInvNameNumber},
                                                         m_context.company.invData.intNumEstDays,
                                                         m_context.edition(), locale));
    doc.print.strInvFootNotes = m_txtInvoiceFootNotes->toPlainText();
    pShowPaidDepositWording();
    header.strUseTax1 = m_ckbxTaxRate[0]->isChecked();
    header.strUseTax2 = m_ckbxTaxRate[1]->isChecked();
    header.strUseTax3 = m_ckbxTaxRate[2]->isChecked();

    const bool printable = isPrintable();
    m_actPrint->setEnabled(printable);
    m_actPrintPreview->setEnabled(printable);

    try {
        Totals::pCalcTotals(doc, m_context.edition(), m_context.company, locale);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
    }

    m_lblTotal->setText(m_cmbInvoiceType->currentText() + QStringLiteral(" Total"));
    m_txtPaidAndDeposit->setText(doc.print.strDepositPaid);
    m_txtInvoiceTaxTotal->setText(doc.print.strTax);
    m_txtInvoiceSubTotal->setText(doc.print.strSubTotal);
    m_txtInvoiceTotal->setText(doc.print.strTotal);
}

void TfrmInvoiceLunvard::pShowPaidDepositWording()
{
    const std::optional<EditorRules::PaidDepositWording> wording =
        EditorRules::paidDepositWording(m_cmbInvoiceType->currentText());
    if (!wording)
        return;
    m_btnPaidDeposit->setText(wording->caption);
    m_btnPaidDeposit->setToolTip(wording->hint);
    m_lblPaidAndDeposit->setText(wording->label);
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
    pChangeData();
}

void TfrmInvoiceLunvard::btnAddCustomerClick()
{
    bool changed = false;
    {
        QScopedValueRollback guard(m_refreshGuard, true);
        changed = openDocumentDialog<TfrmCustomerLunvard>(m_context, this);
        pLoadCustomerInformation();
    }
    if (changed)
        pChangeData();
}

void TfrmInvoiceLunvard::btnAddPriceItemClick()
{
    if (openDocumentDialog<TfrmPriceLunvard>(m_context, this))
        pChangeData();
}

void TfrmInvoiceLunvard::btnAddNotesClick()
{
    if (openDocumentDialog<TfrmInvoiceNotes>(m_context, this))
        pChangeData();
}

void TfrmInvoiceLunvard::btnPaidDepositClick()
{
    if (openDocumentDialog<TfrmPaidAndDeposit>(m_context, this))
        pChangeData();
}

void TfrmInvoiceLunvard::editLine(int row)
{
    if (row < 0 || row >= m_context.document.lines.rowCount())
        return;
    m_context.selectedLineIndex = row;
    if (openDocumentDialog<TfrmInvoicePriceItemEdit>(m_context, this))
        pChangeData();
}

void TfrmInvoiceLunvard::printDocument(bool preview)
{
    using DocumentOutput::Target;
    if (preview) {
        DocumentOutput::pPrintDocument(m_context, Target::Preview);
        return;
    }
    const PrintBusy busy(m_actPrint, m_context.saving());
    DocumentOutput::pPrintDocument(m_context, Target::Printer);
}
