#include "TfrmTextEditor.h"

#include "CompanyInfoWidgets.h"
#include "ContractWarranty.h"
#include "company/CompanyContext.h"
#include "core/Edition.h"
#include "core/PrintModule.h"
#include "core/Prompts.h"
#include "widgets/Ribbon.h"
#include "data/DbError.h"
#include "data/StoredText.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

TfrmTextEditor::TfrmTextEditor(CompanyContext &context, PrintModule *printing, int writerMode, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_printing(printing)
    , m_writerMode(writerMode)
    , m_word(ContractWarranty::GetWriterWord(writerMode))
    , m_ribbon(new Ribbon(this))
    , m_title(new QLineEdit(this))
    , m_text(new QPlainTextEdit(this))
    , m_actSave(new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Save"), this))
    , m_actPrint(new QAction(style()->standardIcon(QStyle::SP_FileIcon), tr("Print"), this))
    , m_actPrintPreview(new QAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), tr("Print Preview"), this))
{
    setObjectName(QStringLiteral("frmTextEditor"));
    auto *actClose = new QAction(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("Close"), this);
    auto *actHelp = new QAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), tr("Help"), this);
    actClose->setObjectName(QStringLiteral("actClose"));
    actClose->setToolTip(tr("Close"));
    actHelp->setToolTip(tr("Open Help"));
    m_actSave->setObjectName(QStringLiteral("actSave"));
    m_actPrint->setObjectName(QStringLiteral("actPrint"));
    m_actPrintPreview->setObjectName(QStringLiteral("actPrintPreview"));
    actHelp->setObjectName(QStringLiteral("actHelp"));
    m_actSave->setShortcut(QKeySequence::Save);
    addActions({actClose, m_actSave, m_actPrint, m_actPrintPreview, actHelp});

    connect(actClose, &QAction::triggered, this, &TfrmTextEditor::reject);
    connect(m_actSave, &QAction::triggered, this, &TfrmTextEditor::pSave);
    connect(m_actPrint, &QAction::triggered, this, [this] { printRequested(false); });
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printRequested(true); });
    connect(actHelp, &QAction::triggered, this,
            [this] { m_context.pOpenHelp(); });

    RibbonGroup *group = m_ribbon->addGroup(m_ribbon->addPage(m_word), m_word);
    for (QAction *action : {actClose, m_actSave, m_actPrintPreview, m_actPrint})
        group->addAction(action);
    m_ribbon->setHelpAction(actHelp);

    m_title->setObjectName(QStringLiteral("txtContractWarrantyName"));
    m_text->setObjectName(QStringLiteral("txtTextEditor"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(13);
    m_text->setFont(textFont);
    connect(m_text, &QPlainTextEdit::textChanged, this, &TfrmTextEditor::textChanged);
    // The title is saved with the text, so changing it alone counts as a change too.
    connect(m_title, &QLineEdit::textEdited, this, [this] { m_text->document()->setModified(true); });
    connect(m_text->document(), &QTextDocument::modificationChanged, m_actSave, &QAction::setEnabled);

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(tr("Title: "), this));
    titleRow->addWidget(m_title, 1);
    auto *editor = new QVBoxLayout;
    editor->setContentsMargins(9, 6, 9, 9);
    editor->addLayout(titleRow);
    editor->addWidget(m_text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_ribbon);
    layout->addLayout(editor, 1);
    resize(820, 640);

    pShowFormInformation();
}

void TfrmTextEditor::open(CompanyContext &context, PrintModule *printing, int writerMode, QWidget *parent)
{
    TfrmTextEditor window(context, printing, writerMode, parent);
    window.exec();
}

void TfrmTextEditor::pShowFormInformation()
{
    setWindowTitle(m_word + tr(" Writer"));
    m_ribbon->setCaption(windowTitle());
    m_title->setToolTip(tr("Enter a title for ") + m_word);
    m_text->setToolTip(tr("Edit ") + m_word);
    m_actPrint->setToolTip(tr("Print ") + m_word);
    m_actPrintPreview->setToolTip(tr("Print Preview ") + m_word);
    m_actSave->setToolTip(tr("Save changes to ") + m_word);

    ContractWarranty::Text stored;
    try {
        const auto db = m_context.openDatabase();
        stored = ContractWarranty::load(*db, m_writerMode);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
    setTextWithinLimit(m_title, stored.title, 45);
    m_text->setPlainText(StoredText::toEditor(stored.body));
    m_text->setFocus(Qt::OtherFocusReason);
    m_text->document()->setModified(false);
    m_actSave->setEnabled(false);
    m_actPrint->setEnabled(!m_text->document()->isEmpty());
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmTextEditor::textChanged()
{
    m_actSave->setEnabled(m_text->document()->isModified());
    m_actPrint->setEnabled(!m_text->document()->isEmpty());
}

bool TfrmTextEditor::pSave()
{
    const ContractWarranty::Text text{m_title->text(), StoredText::fromDocument(*m_text->document())};
    try {
        const auto db = m_context.openDatabase();
        ContractWarranty::save(*db, m_writerMode, text);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
    m_text->document()->setModified(false);
    m_actSave->setEnabled(false);
    return true;
}

void TfrmTextEditor::printRequested(bool preview)
{
    if (!m_printing)
        return;
    const PrintRequest request =
        PrintRequest::of(m_writerMode == ContractWarranty::Contract ? PrintKind::Contract : PrintKind::Warranty);
    if (preview)
        m_printing->pPrintPreview(request);
    else
        (void)m_printing->pPrint(request);
}

void TfrmTextEditor::reject()
{
    if (m_text->document()->isModified()) {
        switch (m_context.prompts().ShowYesNoCancel(tr("Save changes to ") + m_word + QLatin1Char('?'))) {
        case Prompts::Yes:
            if (!pSave())
                return;
            break;
        case Prompts::No:
            break;
        default:
            return;
        }
    }
    QDialog::reject();
}
