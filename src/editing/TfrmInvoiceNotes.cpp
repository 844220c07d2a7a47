#include "TfrmInvoiceNotes.h"

#include "context/AppContext.h"
#include "widgets/FormFields.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmInvoiceNotes::TfrmInvoiceNotes(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_tlbtnOK(FormFields::pushButton(this, QStringLiteral("tlbtnOK"), tr("&OK"), {}))
    , m_tlbtnCancel(FormFields::pushButton(this, QStringLiteral("tlbtnCancel"), tr("&Cancel"),
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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtInvoiceNotes, 1);
    layout->addWidget(FormFields::buttonRow(this, m_tlbtnOK, m_tlbtnCancel));
    m_txtInvoiceNotes->installEventFilter(this);
    resize(520, 360);

    m_tlbtnOK->setVisible(false);
    connect(m_txtInvoiceNotes, &QPlainTextEdit::textChanged, this, [this] { m_tlbtnOK->setVisible(true); });
    connect(m_tlbtnOK, &QPushButton::clicked, this, &TfrmInvoiceNotes::tlbtnOKClick);
    connect(m_tlbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_txtInvoiceNotes->setFocus();
}

bool TfrmInvoiceNotes::eventFilter(QObject *watched, QEvent *event)
{
    // Enter is a new line in the notes; Ctrl+Enter is OK from there.
    if (watched == m_txtInvoiceNotes && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
            if (m_tlbtnOK->isVisible())
                m_tlbtnOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmInvoiceNotes::tlbtnOKClick()
{
    m_context.document.notes = m_txtInvoiceNotes->toPlainText();
    markChanged();
    accept();
}
