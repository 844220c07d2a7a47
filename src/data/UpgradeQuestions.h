#pragma once

#include "WritingForm.h"

class Prompts;

/// The questions put to the user before the old texts of a file are converted.
namespace UpgradeQuestions {

/// Texts the user reads a form's meaning from ("3 October 2026", "1,25").
[[nodiscard]] QString shownValue(OldStoredTexts::Kind kind, const QString &storedForm, const QLocale &shown);

/// The reading the file is converted by: the one complete reading; when there are
/// several, the one the user chooses after seeing a few of the file's own values read
/// each way; when none is complete, the best one if the user accepts keeping what it
/// cannot read as it is. Empty when the user would rather leave the file untouched
/// (\a leaveUntouched names what that does: "quits the program").
[[nodiscard]] std::optional<FileReading> chooseReading(const FormDecision &decision,
                                                       const QList<OldStoredTexts::Text> &texts, Prompts &prompts,
                                                       const QLocale &shown, const QString &leaveUntouched);

} // namespace UpgradeQuestions
