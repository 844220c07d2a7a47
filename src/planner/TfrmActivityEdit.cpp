#include "TfrmActivityEdit.h"

#include "ActivityStore.h"
#include "PlannerDates.h"
#include "context/AppContext.h"
#include "widgets/Icons.h"
#include "core/Prompts.h"
#include "data/DateText.h"
#include "data/SavingIndicator.h"
#include "widgets/InputGuards.h"
#include "widgets/TextFields.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QScopedValueRollback>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QTime kNewActivityTime(8, 0);

QAction *makeCommand(QObject *owner, const QString &name, const QString &caption, const QString &hint,
                     Icons::Command icon)
{
    auto *action = new QAction(Icons::forCommand(icon), caption, owner);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

QDateEdit *makeDatePicker(const QString &name, const QLocale &locale, QWidget *parent)
{
    auto *picker = new DateField(parent);
    picker->setObjectName(name);
    picker->setLocale(locale);
    picker->setDisplayFormat(DateText::shortDateFormat(locale));
    picker->setCalendarPopup(true);
    // A wall-clock date: no zone, so no daylight-saving change can shift it.
    picker->setTimeSpec(Qt::UTC);
    // Judged once the date is complete, not at every digit typed.
    picker->setKeyboardTracking(false);
    return picker;
}

QTimeEdit *makeTimePicker(const QString &name, const QLocale &locale, QWidget *parent)
{
    auto *picker = new QTimeEdit(parent);
    picker->setObjectName(name);
    picker->setLocale(locale);
    picker->setDisplayFormat(DateText::longTimeFormat(locale));
    picker->setTimeSpec(Qt::UTC);
    return picker;
}

} // namespace

TfrmActivityEdit::TfrmActivityEdit(AppContext &context, const TrecActivityEdit &activity, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_activity(activity)
{
    setObjectName(QStringLiteral("frmActivityEdit"));
    setWindowIcon(Icons::forCommand(Icons::Command::Planner));
    createControls();
    pShowFormInformation();
    connectChanges();
    // The text is what every new activity needs first.
    m_txtPlannerActivity->setFocus();
    WheelGuard::protect(this);
}

void TfrmActivityEdit::createControls()
{
    using C = Icons::Command;
    m_actClose = makeCommand(this, QStringLiteral("actClose"), tr("Close"), tr("Close"), C::Close);
    connect(m_actClose, &QAction::triggered, this, &QWidget::close);
    m_actSave = makeCommand(this, QStringLiteral("actSave"), tr("Save"), tr("Save changes to this Activity"), C::Save);
    m_actSave->setShortcut(QKeySequence::Save);
    connect(m_actSave, &QAction::triggered, this, &TfrmActivityEdit::saveClicked);
    m_actCancel = makeCommand(this, QStringLiteral("actCancel"), tr("Cancel"), tr("Cancel changes to this activity"),
                              C::Restore);
    connect(m_actCancel, &QAction::triggered, this, &TfrmActivityEdit::cancelClicked);
    m_actDelete = makeCommand(this, QStringLiteral("actDelete"), tr("Delete"), tr("Delete this activity"), C::Delete);
    connect(m_actDelete, &QAction::triggered, this, &TfrmActivityEdit::deleteClicked);

    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBarActivityEdit"));
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tools->setIconSize(QSize(24, 24));
    tools->addActions({m_actClose, m_actSave, m_actCancel, m_actDelete});

    const QLocale &locale = m_context.locale;
    m_dtPickerPlannerStartDateTime = makeDatePicker(QStringLiteral("dtPickerPlannerStartDateTime"), locale, this);
    m_dtPickerPlannerStartTime = makeTimePicker(QStringLiteral("dtPickerPlannerStartTime"), locale, this);
    m_dtPickerPlannerEndDateTime = makeDatePicker(QStringLiteral("dtPickerPlannerEndDateTime"), locale, this);
    m_dtPickerPlannerEndTime = makeTimePicker(QStringLiteral("dtPickerPlannerEndTime"), locale, this);

    m_txtPlannerActivity = new QLineEdit(this);
    m_txtPlannerActivity->setObjectName(QStringLiteral("txtPlannerActivity"));
    m_txtPlannerActivity->setMaxLength(kActivityLength);
    TextFields::sayWhenRefused(m_txtPlannerActivity);
    m_txtActivityNotes = new QPlainTextEdit(this);
    m_txtActivityNotes->setObjectName(QStringLiteral("txtActivityNotes"));
    m_txtActivityNotes->setTabChangesFocus(true);
    m_txtActivityNotes->setMinimumHeight(90);
    m_ckbxActPriority = new QCheckBox(tr("Mark Activity as a High Priority"), this);
    m_ckbxActPriority->setObjectName(QStringLiteral("ckbxActPriority"));

    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *form = new QGridLayout;
    form->setColumnStretch(1, 1);
    form->addWidget(label(tr("Activity Start"), m_dtPickerPlannerStartDateTime), 0, 0);
    form->addWidget(m_dtPickerPlannerStartDateTime, 0, 1);
    form->addWidget(m_dtPickerPlannerStartTime, 0, 2);
    form->addWidget(label(tr("Activity End"), m_dtPickerPlannerEndDateTime), 1, 0);
    form->addWidget(m_dtPickerPlannerEndDateTime, 1, 1);
    form->addWidget(m_dtPickerPlannerEndTime, 1, 2);
    form->addWidget(label(tr("Activity"), m_txtPlannerActivity), 2, 0);
    form->addWidget(m_txtPlannerActivity, 2, 1, 1, 2);
    form->addWidget(label(tr("Activity Notes"), m_txtActivityNotes), 3, 0, Qt::AlignTop);
    form->addWidget(m_txtActivityNotes, 3, 1, 1, 2);
    form->addWidget(m_ckbxActPriority, 4, 1, 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tools);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 6, 10, 10);
    body->addLayout(form);
    layout->addLayout(body);
    setMinimumWidth(480);
}

void TfrmActivityEdit::pShowFormInformation()
{
    setWindowTitle(tr("Activity Edit Form"));
    setHint(m_dtPickerPlannerStartDateTime, tr("Select a start date for your activity"));
    setHint(m_dtPickerPlannerEndDateTime, tr("Select an end date for your activity"));
    setHint(m_dtPickerPlannerStartTime, tr("Select a start Time for this Activity"));
    setHint(m_dtPickerPlannerEndTime, tr("Select an end Time for this Activity"));
    setHint(m_txtPlannerActivity, tr("Enter or Edit Activity here"));
    setHint(m_txtActivityNotes, tr("Enter or Edit Activity Notes here"));
    setHint(m_ckbxActPriority, tr("Check if this Activity is a high priority"));

    m_dtPickerPlannerStartDateTime->setDate(m_activity.strActStartDateTime.date());
    m_dtPickerPlannerEndDateTime->setDate(m_activity.strActEndDateTime.date());
    const bool existing = m_activity.intActMasterID.has_value();
    m_dtPickerPlannerStartTime->setTime(existing ? m_activity.strActStartDateTime.time() : kNewActivityTime);
    m_dtPickerPlannerEndTime->setTime(existing ? m_activity.strActEndDateTime.time() : kNewActivityTime);
    m_actDelete->setVisible(existing);
    m_actCancel->setVisible(existing);

    m_txtPlannerActivity->setText(m_activity.strActivity.left(kActivityLength));
    m_txtActivityNotes->setPlainText(m_activity.strActNote);
    limitNotes();
    m_ckbxActPriority->setChecked(m_activity.strActPriority);
    m_actSave->setVisible(false);
}

void TfrmActivityEdit::connectChanges()
{
    connect(m_dtPickerPlannerStartDateTime, &QDateEdit::dateChanged, this, [this] { pChangeData(Touched::StartDate); });
    connect(m_dtPickerPlannerEndDateTime, &QDateEdit::dateChanged, this, [this] { pChangeData(Touched::EndDate); });
    connect(m_dtPickerPlannerStartTime, &QTimeEdit::timeChanged, this, [this] { pChangeData(Touched::Other); });
    connect(m_dtPickerPlannerEndTime, &QTimeEdit::timeChanged, this, [this] { pChangeData(Touched::Other); });
    connect(m_txtPlannerActivity, &QLineEdit::textChanged, this, [this] { pChangeData(Touched::Other); });
    connect(m_txtActivityNotes, &QPlainTextEdit::textChanged, this, [this] {
        limitNotes();
        pChangeData(Touched::Other);
    });
    connect(m_ckbxActPriority, &QCheckBox::toggled, this, [this] { pChangeData(Touched::Other); });
}

void TfrmActivityEdit::limitNotes()
{
    const QString notes = m_txtActivityNotes->toPlainText();
    if (notes.size() <= kNotesLength)
        return;
    // Never cut a character written as a surrogate pair in half.
    const int keep = notes.at(kNotesLength - 1).isHighSurrogate() ? kNotesLength - 1 : kNotesLength;
    const int cursorAt = std::min(m_txtActivityNotes->textCursor().position(), keep);
    const QSignalBlocker blocker(m_txtActivityNotes);
    m_txtActivityNotes->setPlainText(notes.left(keep));
    QTextCursor cursor = m_txtActivityNotes->textCursor();
    cursor.setPosition(cursorAt);
    m_txtActivityNotes->setTextCursor(cursor);
}

QDateTime TfrmActivityEdit::start() const
{
    return PlannerDates::wallClock(m_dtPickerPlannerStartDateTime->date(), m_dtPickerPlannerStartTime->time());
}

QDateTime TfrmActivityEdit::end() const
{
    return PlannerDates::wallClock(m_dtPickerPlannerEndDateTime->date(), m_dtPickerPlannerEndTime->time());
}

TrecActivityEdit TfrmActivityEdit::activity() const
{
    TrecActivityEdit activity;
    activity.strActStartDateTime = start();
    activity.strActEndDateTime = end();
    activity.strActivity = m_txtPlannerActivity->text();
    activity.strActNote = m_txtActivityNotes->toPlainText();
    activity.strActPriority = m_ckbxActPriority->isChecked();
    activity.intActMasterID = m_activity.intActMasterID;
    return activity;
}

bool TfrmActivityEdit::hasUnsavedChanges() const
{
    return m_actSave->isVisible();
}

void TfrmActivityEdit::setSaveVisible(bool visible)
{
    m_actSave->setVisible(visible);
    m_actCancel->setVisible(visible);
}

void TfrmActivityEdit::refreshSaveState()
{
    setSaveVisible(!m_txtPlannerActivity->text().isEmpty());
}

void TfrmActivityEdit::pChangeData(Touched touched)
{
    refreshSaveState();
    if (start() <= end() || m_tellingEndDate)
        return;
    if (touched == Touched::StartDate || touched == Touched::EndDate) {
        // Corrected before the message: the picker losing its focus to the message
        // box would otherwise report the wrong date again.
        const QSignalBlocker blocker(m_dtPickerPlannerEndDateTime);
        m_dtPickerPlannerEndDateTime->setDate(m_dtPickerPlannerStartDateTime->date());
    }
    if (touched == Touched::EndDate) {
        const QScopedValueRollback telling(m_tellingEndDate, true);
        m_context.prompts().ShowInformation(tr("Date must be equal to or later than: ")
                                            + DateText::shortDate(start().date(), m_context.locale));
    }
}

bool TfrmActivityEdit::pSaveActivity()
{
    SavingIndicator &saving = m_context.saving();
    saving.pShowSaving(tr("Saving Activity Information..."));
    QString failure;
    try {
        const auto db = m_context.openDatabase();
        // The new master id, so that saving again replaces these rows.
        m_activity.intActMasterID = ActivityStore(*db).save(activity());
    } catch (const DbError &error) {
        failure = error.message();
    }
    saving.pCloseSaving();
    if (!failure.isEmpty()) {
        m_context.prompts().showError(failure);
        return false;
    }
    setSaveVisible(false);
    markChanged();
    return true;
}

void TfrmActivityEdit::saveClicked()
{
    refreshSaveState();
    if (hasUnsavedChanges() && pSaveActivity())
        done(Accepted);
}

void TfrmActivityEdit::cancelClicked()
{
    refreshSaveState();
    if (!hasUnsavedChanges())
        return;
    switch (m_context.prompts().ShowYesNoCancel(tr("Do you want to save changes to this Activity?"))) {
    case Prompts::Yes:
        if (pSaveActivity())
            done(Accepted);
        break;
    case Prompts::No:
        setSaveVisible(false);
        done(Rejected);
        break;
    case Prompts::Cancel:
        break;
    }
}

void TfrmActivityEdit::deleteClicked()
{
    refreshSaveState();
    const Prompts::Answer answer = m_context.prompts().ShowYesNoCancel(tr("Delete this Activity from your list?"), Prompts::No);
    // Cancel goes back to the activity and keeps what was typed.
    if (answer == Prompts::Cancel)
        return;
    QString failure;
    if (answer == Prompts::Yes && m_activity.intActMasterID) {
        SavingIndicator &saving = m_context.saving();
        saving.pShowSaving(tr("Deleting Activity Information..."));
        try {
            const auto db = m_context.openDatabase();
            ActivityStore(*db).remove(*m_activity.intActMasterID);
        } catch (const DbError &error) {
            failure = error.message();
        }
        saving.pCloseSaving();
    }
    markChanged();
    if (!failure.isEmpty()) {
        m_context.prompts().showError(failure);
        return;
    }
    setSaveVisible(false);
    done(Rejected);
}

void TfrmActivityEdit::reject()
{
    if (hasUnsavedChanges()) {
        switch (m_context.prompts().ShowYesNoCancel(tr("Save changes before closing?"))) {
        case Prompts::Yes:
            if (!pSaveActivity())
                return;
            break;
        case Prompts::No:
            break;
        case Prompts::Cancel:
            return;
        }
    }
    QDialog::reject();
}
