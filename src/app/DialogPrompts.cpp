#include "DialogPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

QWidget *owner()
{
    return QApplication::activeWindow();
}

Prompts::Answer toAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Prompts::Yes;
    case QMessageBox::No:
        return Prompts::No;
    default:
        return Prompts::Cancel;
    }
}

QMessageBox::StandardButton toButton(Prompts::Answer answer)
{
    switch (answer) {
    case Prompts::Yes:
        return QMessageBox::Yes;
    case Prompts::No:
        return QMessageBox::No;
    case Prompts::Cancel:
        break;
    }
    return QMessageBox::Cancel;
}

} // namespace

Prompts::Answer DialogPrompts::ShowYesNoCancel(const QString &message, Answer preferred)
{
    return toAnswer(QMessageBox::question(owner(), QApplication::applicationDisplayName(), message,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                          toButton(preferred)));
}

Prompts::Answer DialogPrompts::ShowYesNo(const QString &message, Answer preferred)
{
    const auto answer = QMessageBox::question(owner(), QApplication::applicationDisplayName(), message,
                                              QMessageBox::Yes | QMessageBox::No, toButton(preferred));
    return answer == QMessageBox::Yes ? Yes : No;
}

int DialogPrompts::ShowChoice(const QString &message, const QStringList &buttons, int preferred, int escape)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), message, QMessageBox::NoButton,
                    owner());
    QList<QPushButton *> pushed;
    for (const QString &caption : buttons)
        pushed << box.addButton(caption, QMessageBox::ActionRole);
    if (preferred >= 0 && preferred < pushed.size())
        box.setDefaultButton(pushed.at(preferred));
    if (escape >= 0 && escape < pushed.size())
        box.setEscapeButton(pushed.at(escape));
    box.exec();
    const int pressed = int(pushed.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
    return pressed >= 0 ? pressed : escape;
}

void DialogPrompts::ShowInformation(const QString &message)
{
    QMessageBox::information(owner(), QApplication::applicationDisplayName(), message);
}

void DialogPrompts::showPlainMessage(const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), message, QMessageBox::Ok, owner());
    box.exec();
}

void DialogPrompts::showError(const QString &message, const QString &detail)
{
    if (detail.isEmpty()) {
        QMessageBox::critical(owner(), QApplication::applicationDisplayName(), message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message, QMessageBox::Ok, owner());
    box.setDetailedText(detail);
    box.exec();
}

QString DialogPrompts::askPassword(const QString &message)
{
    return QInputDialog::getText(owner(), QApplication::applicationDisplayName(), message, QLineEdit::Password);
}

QString DialogPrompts::chooseFolder(const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(owner(), title, startFolder);
}

QString DialogPrompts::chooseOpenFile(const QString &title, const QString &startFolder, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner(), title, startFolder, filter);
}

QString DialogPrompts::chooseSaveFile(const QString &title, const QString &suggestedPath, const QString &filter)
{
    // The caller asks before replacing, and about the name it will really write
    // (a suffix added to a name typed without one).
    return QFileDialog::getSaveFileName(owner(), title, suggestedPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QColor DialogPrompts::chooseColor(const QColor &initial)
{
    return QColorDialog::getColor(initial, owner());
}
