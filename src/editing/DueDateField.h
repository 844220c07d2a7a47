#pragma once

#include "widgets/InputGuards.h"

class EditingSession;
class QLocale;

/// The document's due date: what its date and terms give until the user picks
/// another. Only invoices and past-due notices have one; for other kinds it is off.
class DueDateField final : public DateField
{
    Q_OBJECT
public:
    DueDateField(EditingSession &session, const QLocale &locale, QWidget *parent = nullptr);

    void showDocument();

private:
    EditingSession &m_session;
    bool m_showing = false;
};
