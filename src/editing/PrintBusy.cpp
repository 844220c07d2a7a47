#include "PrintBusy.h"

#include "data/SavingIndicator.h"

#include <QAction>
#include <QCoreApplication>

PrintBusy::PrintBusy(QAction *print, SavingIndicator &status)
    : m_print(print)
    , m_status(status)
{
    m_print->setEnabled(false);
    m_status.pShowSaving(QCoreApplication::translate("PrintBusy", "Sending to the printer..."));
}

PrintBusy::~PrintBusy()
{
    m_status.pCloseSaving();
    // Deliver what was clicked during the job while the command is still disabled.
    QCoreApplication::processEvents();
    if (m_print)
        m_print->setEnabled(true);
}
