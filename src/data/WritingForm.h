#pragma once

#include "OldStoredTexts.h"

#include <QDate>
#include <QLocale>
#include <optional>

/// How an older version wrote dates, date-times and amounts into a file: the forms
/// of the desktop language it ran under. One form is decided for the whole file and
/// every old text is read by it, so 03/10/2026 can never mean October in one
/// document and March in the next, nor 1,250 a decimal here and a thousand there.
class WritingForm
{
public:
    explicit WritingForm(const QLocale &locale);

    [[nodiscard]] const QLocale &locale() const { return m_locale; }
    /// The stored form of \a text written as \a kind; empty when it does not read.
    [[nodiscard]] std::optional<QString> storedForm(OldStoredTexts::Kind kind, const QString &text) const;

    /// The forms worth trying: \a current first (the language the file was most
    /// likely written in), then the common English, German, French, Spanish, Italian,
    /// Dutch, Nordic and other European forms, and the C/ISO form; forms that read
    /// every text alike are tried once.
    [[nodiscard]] static QList<WritingForm> candidates(const QLocale &current);

private:
    QLocale m_locale;
};

/// What the old texts of a file mean under one form. values[i] belongs to texts[i];
/// it is empty where the text does not read, or reads to a date nobody wrote (before
/// 1990 or years ahead).
struct FileReading
{
    WritingForm form;
    QList<std::optional<QString>> values;
    /// Activities that end before they start: a sign of a wrong form when another
    /// form has fewer, though a user may have typed one so.
    int backwardSpans = 0;

    [[nodiscard]] qsizetype unreadCount() const;
    [[nodiscard]] bool complete() const { return unreadCount() == 0; }
};

/// The form \a texts are read by, decided from all of them together.
struct FormDecision
{
    /// The distinct readings under which every text reads, with the fewest backward
    /// spans: one when the form is clear, more when the file alone cannot tell (all
    /// dates on day 12 or less).
    QList<FileReading> complete;
    /// When no reading is complete: the one that reads the most, ties going to the
    /// earlier candidate.
    std::optional<FileReading> best;
};

/// Reads every text under \a form; dates are plausible from 1990 until five years
/// after \a today. With \a stopAtFirstUnread the reading ends at the first text
/// that does not read (its values are then incomplete).
[[nodiscard]] FileReading readUnder(const WritingForm &form, const QList<OldStoredTexts::Text> &texts, QDate today,
                                    bool stopAtFirstUnread = false);

[[nodiscard]] FormDecision decideWritingForm(const QList<OldStoredTexts::Text> &texts, const QLocale &current,
                                             QDate today);
