#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

/// Every question, notice and choice the program puts to the user. Windows and
/// routines ask through this service; the real one shows dialogs, tests install a
/// scripted one.
class Prompts
{
public:
    /// The button codes callers compare against.
    enum Answer { Yes = 6, No = 7, Cancel = 2 };

    virtual ~Prompts() = default;

    /// Question with Yes, No and Cancel; closing the box is Cancel. \a preferred is
    /// the button Enter presses: No for a question that destroys something.
    virtual Answer ShowYesNoCancel(const QString &message, Answer preferred = Yes) = 0;
    virtual Answer ShowYesNo(const QString &message, Answer preferred = Yes) = 0;
    /// A question whose answers are actions of their own (\a buttons, captions with
    /// an '&' before their access letter). Returns the index of the button pressed;
    /// Escape or closing the box gives \a escape. \a preferred is the button Enter presses.
    virtual int ShowChoice(const QString &message, const QStringList &buttons, int preferred, int escape) = 0;
    virtual void ShowInformation(const QString &message) = 0;
    /// The platform's plain one-line message box.
    virtual void showPlainMessage(const QString &message) = 0;
    /// An error the user must see (an engine message, a file that cannot be written).
    /// \a detail, when given, holds the engine's or system's own words, shown apart.
    virtual void showError(const QString &message, const QString &detail = {}) = 0;
    /// Asks for a password, shown as dots while typed; empty when the user cancelled.
    virtual QString askPassword(const QString &message) = 0;

    /// Choices; an empty result (or invalid colour) means the user cancelled.
    virtual QString chooseFolder(const QString &title, const QString &startFolder) = 0;
    virtual QString chooseOpenFile(const QString &title, const QString &startFolder, const QString &filter) = 0;
    virtual QString chooseSaveFile(const QString &title, const QString &suggestedPath, const QString &filter) = 0;
    virtual QColor chooseColor(const QColor &initial) = 0;
};
