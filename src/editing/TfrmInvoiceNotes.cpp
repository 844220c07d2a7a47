#include "TfrmInvoiceNotes.h"

#include "context/AppContext.h"
#include "widgets/FormFields.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

TfrmInvoiceNotes::TfrmInvoiceNotes(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_tlbtnOK(FormFields::toolButton(this, QStringLiteral("tlbtnOK"), tr("OK"), {}))
    , m_tlbtnCancel(FormFields::toolButton(this, QStringLiteral("tlbtnCancel"), tr("Cancel"),
                                           tr("Cancel changes to notes")))
    , m_txtInvoiceNotes(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmInvoiceNotes"));
    setModal(true);
    const TrecInvHeader &header = context.document.header;
    const QString document = header.strInvName + QLatin1Char(' ') + QString::number(header.intInvNumber);
    setWindowTitle(document + QStringLiteral(" Notes"));

    m_txtInvoiceNotes->setObjectName(QStringLiteral("txtInvoiceNotes"));
    m_txtInvoiceNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtInvoiceNotes->setTabChangesFocus(true);
    const QString hint = QStringLiteral("Add notes to ") + document;
    m_txtInvoiceNotes->setToolTip(hint);
    m_tlbtnOK->setToolTip(hint);
    m_txtInvoiceNotes->setPlainText(context.document.notes);
    m_txtInvoiceNotes->moveCursor(QTextCursor::End);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_tlbtnOK);
    buttons->addWidget(m_tlbtnCancel);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_txtInvoiceNotes, 1);
    resize(520, 360);

    m_tlbtnOK->setVisible(false);
    connect(m_txtInvoiceNotes, &QPlainTextEdit::textChanged, this, [this] { m_tlbtnOK->setVisible(true); });
    connect(m_tlbtnOK, &QToolButton::clicked, this, &TfrmInvoiceNotes::tlbtnOKClick);
    connect(m_tlbtnCancel, &QToolButton::clicked, this, &QDialog::reject);
    m_txtInvoiceNotes->setFocus();
}

void TfrmInvoiceNotes::tlbtnOKClick()
{
    m_context.document.notes = m_txtInvoiceNotes->toPlainText();
    m_context.documentChanged = true;
    accept();
}
