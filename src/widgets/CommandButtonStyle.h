#pragma once

#include <QProxyStyle>

/// Draws a tool button's caption with the Alt letter of its command underlined, as
/// push buttons and menus show theirs. A tool button shows its command's text with
/// the mark taken out, and giving it the marked text instead would make the button
/// claim the same Alt key as its command, so neither would work.
class CommandButtonStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
