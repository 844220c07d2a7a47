#pragma once

#include <QList>
#include <QPointer>

class QAction;
class QWidget;
class SavingIndicator;

/// While a document is sent out (printer or PDF): the window's Print, Print Preview,
/// PDF and E-mail commands are disabled and a short status shows. Clicks made
/// meanwhile reach disabled commands and are dropped, and so is the rest of a double
/// click that lands after a quick job, so one click prints one copy under one number.
class PrintBusy
{
public:
    PrintBusy(QWidget *window, SavingIndicator &status);
    ~PrintBusy();
    PrintBusy(const PrintBusy &) = delete;
    PrintBusy &operator=(const PrintBusy &) = delete;

private:
    QList<QPointer<QAction>> m_disabled;
    SavingIndicator &m_status;
};
