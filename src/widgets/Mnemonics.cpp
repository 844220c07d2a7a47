#include "Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QToolBox>

namespace {

bool isMnemonicLetter(QChar c)
{
    const QChar upper = c.toUpper();
    return (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

/// The letter marked in \a text ("&Save" gives S), or a null QChar.
QChar markedLetter(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toUpper();
        ++i; // "&&" is a plain ampersand
    }
    return {};
}

/// Marks the first free letter of \a action's caption; returns it, or a null QChar.
QChar mark(QAction *action, QSet<QChar> &taken)
{
    QString text = action->text();
    if (text.isEmpty())
        return {};
    if (const QChar marked = markedLetter(text); !marked.isNull()) {
        taken.insert(marked);
        return marked;
    }
    QList<qsizetype> order;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 0 || text.at(i - 1) == QLatin1Char(' '))
            order << i;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!order.contains(i))
            order << i;
    }
    for (qsizetype i : std::as_const(order)) {
        const QChar letter = text.at(i).toUpper();
        if (!isMnemonicLetter(text.at(i)) || taken.contains(letter))
            continue;
        taken.insert(letter);
        text.insert(i, QLatin1Char('&'));
        action->setText(text);
        return letter;
    }
    return {};
}

} // namespace

namespace Mnemonics {

void markMenu(QMenu *menu)
{
    QSet<QChar> taken;
    for (QAction *item : menu->actions()) {
        if (const QChar marked = markedLetter(item->text()); !marked.isNull())
            taken.insert(marked);
    }
    for (QAction *item : menu->actions()) {
        if (item->isSeparator())
            continue;
        mark(item, taken);
        if (QMenu *submenu = item->menu())
            markMenu(submenu);
    }
}

void giveCommands(QWidget *window)
{
    QSet<QChar> taken;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy())
            taken.insert(markedLetter(label->text()));
    }
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        taken.insert(markedLetter(button->text()));
    // Letters chosen by hand come first: no other command may take them.
    for (const QAction *command : window->findChildren<QAction *>()) {
        if (command->objectName().startsWith(QLatin1String("act")))
            taken.insert(markedLetter(command->text()));
    }
    taken.remove(QChar());
    // Panel headers first: their letter opens the panel, which is how the keyboard
    // reaches what the closed panels hold.
    for (QAbstractButton *header : window->findChildren<QAbstractButton *>()) {
        if (header->property(kPanelHeader).toBool() && markedLetter(header->text()).isNull()) {
            QAction stand(header->text());
            if (!mark(&stand, taken).isNull())
                header->setText(stand.text());
        }
    }
    for (QTabBar *tabs : window->findChildren<QTabBar *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!markedLetter(tabs->tabText(i)).isNull())
                continue;
            QAction stand(tabs->tabText(i));
            if (!mark(&stand, taken).isNull())
                tabs->setTabText(i, stand.text());
        }
    }
    for (QToolBox *panels : window->findChildren<QToolBox *>()) {
        for (int i = 0; i < panels->count(); ++i) {
            if (!markedLetter(panels->itemText(i)).isNull())
                continue;
            QAction stand(panels->itemText(i));
            if (!mark(&stand, taken).isNull())
                panels->setItemText(i, stand.text());
        }
    }
    // A push button is a command too; its own caption carries its Alt key.
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->text().isEmpty() && markedLetter(button->text()).isNull()) {
            QAction stand(button->text());
            if (!mark(&stand, taken).isNull())
                button->setText(stand.text());
        }
    }
    for (QAction *command : window->findChildren<QAction *>()) {
        if (!command->objectName().startsWith(QLatin1String("act")))
            continue;
        const QChar letter = mark(command, taken);
        if (letter.isNull() || command->shortcuts().contains(QKeySequence(Qt::ALT | letter.unicode())))
            continue;
        QList<QKeySequence> keys = command->shortcuts();
        keys << QKeySequence(Qt::ALT | letter.unicode());
        command->setShortcuts(keys);
        if (!window->actions().contains(command))
            window->addAction(command); // so the key works wherever the focus is in the window
    }
}

} // namespace Mnemonics

namespace Mnemonics {

void answerInWindow(QWidget *window, const QList<QAction *> &commands)
{
    QSet<QChar> menuTitles;
    for (const QMenuBar *bar : window->findChildren<QMenuBar *>()) {
        for (const QAction *title : bar->actions())
            menuTitles.insert(markedLetter(title->text()));
    }
    for (QAction *command : commands) {
        const QChar letter = markedLetter(command->text());
        const QKeySequence key(Qt::ALT | letter.unicode());
        if (letter.isNull() || menuTitles.contains(letter) || command->shortcuts().contains(key))
            continue;
        command->setShortcuts(command->shortcuts() << key);
        if (!window->actions().contains(command))
            window->addAction(command);
    }
}

} // namespace Mnemonics
