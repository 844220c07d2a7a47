#pragma once

#include "core/Prompts.h"

class QWidget;

/// The Prompts the user sees: Qt message boxes and file, folder and colour dialogs,
/// parented to the active window.
class DialogPrompts final : public Prompts
{
public:
    Answer ShowYesNoCancel(const QString &message, Answer preferred = Yes) override;
    Answer ShowYesNo(const QString &message, Answer preferred = Yes) override;
    int ShowChoice(const QString &message, const QStringList &buttons, int preferred, int escape) override;
    void ShowInformation(const QString &message) override;
    void showPlainMessage(const QString &message) override;
    void showError(const QString &message, const QString &detail = {}) override;
    QString askPassword(const QString &message) override;
    QString chooseFolder(const QString &title, const QString &startFolder) override;
    QString chooseOpenFile(const QString &title, const QString &startFolder, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &suggestedPath, const QString &filter) override;
    QColor chooseColor(const QColor &initial) override;
};
