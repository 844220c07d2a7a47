#include "TfrmManualInvoice.h"

#include "PrintJobs.h"
#include "core/PrintModule.h"
#include "context/AppContext.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "invoice/DocumentStore.h"
#include "widgets/InputGuards.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *makeToolButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setMinimumWidth(80);
    return button;
}

} // namespace

void TfrmManualInvoice::open(AppContext &context, QWidget *owner)
{
    context.document.header.blnNewInvoice = true;
    try {
        DocumentStore(context).pLoadInvoice();
    } catch (const DbError &error) {
        context.prompts().showError(error.message(), error.detail());
        return;
    }
    context.document.header.blnManualForm = true;
    const auto clearManualForm = qScopeGuard([&context] { context.document.header.blnManualForm = false; });
    TfrmManualInvoice window(context, owner);
    window.exec();
}

TfrmManualInvoice::TfrmManualInvoice(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmManualInvoice"));
    setWindowTitle(tr("Print Manual Forms"));

    auto *close = makeToolButton(this, QStringLiteral("tlbtnClose"), tr("Close"), tr("Close"));
    m_tlbarbtnPrint = makeToolButton(this, QStringLiteral("tlbarbtnPrint"), tr("Print"), tr("Print Manual Forms"));
    connect(close, &QToolButton::clicked, this, &QDialog::reject);
    connect(m_tlbarbtnPrint, &QToolButton::clicked, this, &TfrmManualInvoice::tlbarbtnPrintClick);

    m_cmbInvoiceType = new QComboBox(this);
    m_cmbInvoiceType->setObjectName(QStringLiteral("cmbInvoiceType"));
    m_cmbInvoiceType->setToolTip(tr("Select Invoice Type"));
    m_lblNumOfInvToPrint = new QLabel(tr("Number of Estimates to print"), this);
    m_lblNumOfInvToPrint->setObjectName(QStringLiteral("lblNumOfInvToPrint"));
    m_SpinEditNumOfManualInvToPrint = new SpinField(this);
    m_SpinEditNumOfManualInvToPrint->setObjectName(QStringLiteral("SpinEditNumOfManualInvToPrint"));
    m_SpinEditNumOfManualInvToPrint->setRange(1, 25);
    m_SpinEditNumOfManualInvToPrint->setValue(1);
    // The arrows step the count; typing is not offered.
    if (auto *edit = m_SpinEditNumOfManualInvToPrint->findChild<QLineEdit *>())
        edit->setReadOnly(true);
    m_cmbPaymentTerms = new QComboBox(this);
    m_cmbPaymentTerms->setObjectName(QStringLiteral("cmbPaymentTerms"));
    m_cmbPaymentTerms->setEditable(true);
    m_cmbPaymentTerms->setInsertPolicy(QComboBox::NoInsert);
    m_cmbPaymentTerms->setToolTip(tr("Select a Payment Term"));
    m_cmbFootNotes = new QComboBox(this);
    m_cmbFootNotes->setObjectName(QStringLiteral("cmbFootNotes"));
    m_cmbFootNotes->addItems({tr("No Foot Notes"), tr("Foot Note 1"), tr("Foot Note 2"), tr("Foot Note 3")});
    m_cmbFootNotes->setToolTip(tr("Select Invoice Foot Notes"));
    m_ckbxAddSignatureLine = new QCheckBox(tr("Add Signature Line"), this);
    m_ckbxAddSignatureLine->setObjectName(QStringLiteral("ckbxAddSignatureLine"));
    m_ckbxAddSignatureLine->setToolTip(tr("Add a signature line"));

    auto *commands = new QHBoxLayout;
    commands->addWidget(close);
    commands->addWidget(m_tlbarbtnPrint);
    commands->addStretch();
    auto *form = new QFormLayout;
    form->addRow(tr("Invoice Type"), m_cmbInvoiceType);
    form->addRow(m_lblNumOfInvToPrint, m_SpinEditNumOfManualInvToPrint);
    form->addRow(tr("Payment Terms"), m_cmbPaymentTerms);
    form->addRow(tr("Foot Notes"), m_cmbFootNotes);
    form->addRow(QString(), m_ckbxAddSignatureLine);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addLayout(form);

    pLoadInvNames();
    pLoadPaymentTerms();
    connect(m_cmbInvoiceType, &QComboBox::currentIndexChanged, this, &TfrmManualInvoice::cmbInvoiceTypeChange);
    cmbInvoiceTypeChange();
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
    WheelGuard::protect(this);
}

void TfrmManualInvoice::pLoadInvNames()
{
    m_cmbInvoiceType->addItems(m_context.InvoiceTypes);
    m_cmbInvoiceType->setCurrentIndex(0);
}

void TfrmManualInvoice::pLoadPaymentTerms()
{
    const auto &terms = m_context.company.invData.strInvTerms;
    for (size_t i = 1; i < terms.size(); ++i) {
        if (!terms[i].isEmpty())
            m_cmbPaymentTerms->addItem(terms[i]);
    }
}

void TfrmManualInvoice::cmbInvoiceTypeChange()
{
    const QString kind = m_cmbInvoiceType->currentText();
    m_lblNumOfInvToPrint->setText(tr("Number of %1s to print").arg(kind));
    m_SpinEditNumOfManualInvToPrint->setToolTip(tr("Select number of %1s to print").arg(kind));
}

void TfrmManualInvoice::tlbarbtnPrintClick()
{
    m_tlbarbtnPrint->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { m_tlbarbtnPrint->setEnabled(true); });
    for (int form = 0; form < m_SpinEditNumOfManualInvToPrint->value(); ++form) {
        if (!printOneForm())
            return;
    }
}

bool TfrmManualInvoice::printOneForm()
{
    TrecInvHeader &header = m_context.document.header;
    header.blnNewInvoice = true;
    header.strInvName = m_cmbInvoiceType->currentText();
    header.strInvDate = QDate(); // written by hand
    header.strCustPymntTerms = m_cmbPaymentTerms->currentText();
    header.intInvFootNotes = m_cmbFootNotes->currentIndex();
    // Entry 0 of the company's foot notes is the empty "No Foot Notes".
    m_context.document.print.strInvFootNotes =
        m_context.company.invData.strInvFootNote[std::size_t(header.intInvFootNotes)];
    header.blnAddSignatureLine = m_ckbxAddSignatureLine->isChecked();
    DocumentStore store(m_context);
    // The form is stored before it is printed: a number on paper must never be
    // handed out again, even when the printer fails half way.
    try {
        header.intInvNumber = store.GetInvoiceNumber();
        (void)store.pSaveInvoice();
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
    return !m_context.printModule || m_context.printModule->pPrint(PrintRequest::of(PrintKind::CurrentDocument));
}
