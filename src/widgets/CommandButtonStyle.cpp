#include "CommandButtonStyle.h"

#include <QAction>
#include <QStyleOptionToolButton>
#include <QToolButton>

void CommandButtonStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    const auto *button = qobject_cast<const QToolButton *>(widget);
    const auto *label = qstyleoption_cast<const QStyleOptionToolButton *>(option);
    if (element == CE_ToolButtonLabel && button && label && button->defaultAction()
        && button->defaultAction()->text().remove(QStringLiteral("&&")).contains(QLatin1Char('&'))) {
        QStyleOptionToolButton marked(*label);
        marked.text = button->defaultAction()->text();
        QProxyStyle::drawControl(element, &marked, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
