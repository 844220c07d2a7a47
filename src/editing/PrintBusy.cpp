#include "PrintBusy.h"

#include "data/SavingIndicator.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>

namespace {

/// Drops the mouse events on the command buttons for one double-click interval.
class RestOfDoubleClick final : public QObject
{
public:
    explicit RestOfDoubleClick(const QList<QWidget *> &buttons)
    {
        for (QWidget *button : buttons)
            button->installEventFilter(this);
        QTimer::singleShot(QGuiApplication::styleHints()->mouseDoubleClickInterval(), this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

PrintBusy::PrintBusy(QWidget *window, SavingIndicator &status)
    : m_status(status)
{
    for (const char *name : {"actPrint", "actPrintPreview", "actPDF", "actEmail"}) {
        auto *command = window->findChild<QAction *>(QLatin1String(name));
        if (command && command->isEnabled()) {
            command->setEnabled(false);
            m_disabled << command;
        }
    }
    m_status.pShowSaving(QCoreApplication::translate("PrintBusy", "Sending to the printer..."));
}

PrintBusy::~PrintBusy()
{
    m_status.pCloseSaving();
    // Deliver what was clicked during the job while the commands are still disabled.
    QCoreApplication::processEvents();
    QList<QWidget *> buttons;
    for (const QPointer<QAction> &command : std::as_const(m_disabled)) {
        if (!command)
            continue;
        command->setEnabled(true);
        for (QObject *shown : command->associatedObjects()) {
            if (auto *button = qobject_cast<QWidget *>(shown))
                buttons << button;
        }
    }
    if (!buttons.isEmpty())
        new RestOfDoubleClick(buttons);
}
