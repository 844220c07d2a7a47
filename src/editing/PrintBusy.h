#pragma once

#include <QPointer>

class QAction;
class SavingIndicator;

/// While a document is being sent to the printer: its Print command is disabled and
/// a short status shows. Clicks made meanwhile reach the disabled command and are
/// dropped, so one click prints one copy under one number.
class PrintBusy
{
public:
    PrintBusy(QAction *print, SavingIndicator &status);
    ~PrintBusy();
    PrintBusy(const PrintBusy &) = delete;
    PrintBusy &operator=(const PrintBusy &) = delete;

private:
    QPointer<QAction> m_print;
    SavingIndicator &m_status;
};
