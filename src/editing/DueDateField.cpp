#include "DueDateField.h"

#include "EditingSession.h"
#include "data/DateText.h"

#include <QScopedValueRollback>

DueDateField::DueDateField(EditingSession &session, const QLocale &locale, QWidget *parent)
    : DateField(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("dtpDueDate"));
    setCalendarPopup(true);
    setLocale(locale);
    setDisplayFormat(DateText::shortDateFormat(locale));
    // A kind that is not owed shows no date at all.
    setSpecialValueText(QStringLiteral(" "));
    setToolTip(tr("When the invoice is due; it follows the date and payment terms until you change it"));
    connect(this, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (!m_showing)
            m_session.setDueDate(date);
    });
}

void DueDateField::showDocument()
{
    const QScopedValueRollback guard(m_showing, true);
    const bool owed = m_session.hasDueDate();
    setEnabled(owed);
    setDate(owed ? m_session.dueDate() : minimumDate());
}
