#include "ScriptedPrompts.h"

QStringList ScriptedPrompts::messages(const QString &kind) const
{
    QStringList result;
    for (const Asked &a : asked) {
        if (a.kind == kind)
            result << a.message;
    }
    return result;
}

void ScriptedPrompts::record(const Asked &a)
{
    asked.append(a);
    if (onAsked)
        onAsked(a);
}

Prompts::Answer ScriptedPrompts::nextAnswer(const QString &kind, const QString &message, Answer preferred)
{
    record({kind, message, preferred});
    if (answers.isEmpty()) {
        ++unplanned;
        return Cancel;
    }
    return answers.takeFirst();
}

QString ScriptedPrompts::nextChoice(const QString &kind, const QString &title)
{
    record({kind, title});
    if (choices.isEmpty()) {
        ++unplanned;
        return {};
    }
    return choices.takeFirst();
}

Prompts::Answer ScriptedPrompts::ShowYesNoCancel(const QString &message, Answer preferred)
{
    return nextAnswer(QStringLiteral("YesNoCancel"), message, preferred);
}

Prompts::Answer ScriptedPrompts::ShowYesNo(const QString &message, Answer preferred)
{
    const Answer answer = nextAnswer(QStringLiteral("YesNo"), message, preferred);
    return answer == Yes ? Yes : No;
}

int ScriptedPrompts::ShowChoice(const QString &message, const QStringList &buttons, int preferred, int escape)
{
    QStringList offered = buttons;
    if (preferred >= 0 && preferred < offered.size())
        offered.move(preferred, 0);
    record({QStringLiteral("Choice"), message, Yes, offered});
    if (picks.isEmpty() && chooser)
        return chooser(message, buttons);
    if (picks.isEmpty()) {
        ++unplanned;
        return escape;
    }
    return picks.takeFirst();
}

void ScriptedPrompts::ShowInformation(const QString &message)
{
    record({QStringLiteral("Information"), message});
}

void ScriptedPrompts::showPlainMessage(const QString &message)
{
    record({QStringLiteral("Plain"), message});
}

void ScriptedPrompts::showError(const QString &message, const QString &detail)
{
    record({QStringLiteral("Error"), message});
    errorDetails << detail;
}

QString ScriptedPrompts::chooseFolder(const QString &title, const QString &)
{
    return nextChoice(QStringLiteral("Folder"), title);
}

QString ScriptedPrompts::chooseOpenFile(const QString &title, const QString &, const QString &)
{
    return nextChoice(QStringLiteral("OpenFile"), title);
}

QString ScriptedPrompts::chooseSaveFile(const QString &title, const QString &, const QString &)
{
    return nextChoice(QStringLiteral("SaveFile"), title);
}

QColor ScriptedPrompts::chooseColor(const QColor &)
{
    record({QStringLiteral("Color"), QString()});
    if (colors.isEmpty()) {
        ++unplanned;
        return {};
    }
    return colors.takeFirst();
}

QString ScriptedPrompts::askPassword(const QString &message)
{
    record({QStringLiteral("Password"), message});
    if (passwords.isEmpty()) {
        ++unplanned;
        return {};
    }
    return passwords.takeFirst();
}
