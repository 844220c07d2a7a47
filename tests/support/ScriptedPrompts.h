#pragma once

#include "core/Prompts.h"

#include <QList>
#include <QStringList>
#include <functional>

/// Prompts for tests: answers from a plan, and a record of everything asked.
/// An unplanned question is answered Cancel (an unplanned choice: cancelled) and
/// counted, so a test can tell it was not expected.
class ScriptedPrompts final : public Prompts
{
public:
    struct Asked
    {
        QString kind; // "YesNoCancel", "YesNo", "Information", "Plain", "Error", "Folder", ...
        QString message;
        Answer preferred = Yes; // the default button of a question
        QStringList buttons = {}; // the buttons of a choice, the default one first
    };

    QList<Answer> answers;
    /// Button indexes for ShowChoice, in order.
    QList<int> picks;
    /// When set, answers ShowChoice once picks are used up: given the message and
    /// the buttons as offered, gives the index.
    std::function<int(const QString &, const QStringList &)> chooser;
    QStringList choices; // paths for folder and file choices
    QStringList passwords; // typed in order; none left: cancelled
    QList<QColor> colors;

    QList<Asked> asked;
    /// Called as each question, notice or choice is put, before it is answered.
    std::function<void(const Asked &)> onAsked;
    /// The detail given with each error, in order.
    QStringList errorDetails;
    int unplanned = 0;

    [[nodiscard]] QString lastMessage() const { return asked.isEmpty() ? QString() : asked.last().message; }
    [[nodiscard]] QStringList messages(const QString &kind) const;

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

private:
    void record(const Asked &a);
    Answer nextAnswer(const QString &kind, const QString &message, Answer preferred);
    QString nextChoice(const QString &kind, const QString &title);
};
