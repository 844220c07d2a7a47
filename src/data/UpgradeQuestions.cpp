#include "UpgradeQuestions.h"

#include "StoredForm.h"
#include "core/Prompts.h"

#include <QSet>

using OldStoredTexts::Kind;

namespace UpgradeQuestions {

namespace {

constexpr int kExamples = 3;
constexpr int kListed = 20;

const QLocale &english()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedKingdom);
    return locale;
}

bool isDateKind(Kind kind)
{
    return kind == Kind::Date || kind == Kind::DateTime;
}

QDate dateOf(Kind kind, const QString &storedForm)
{
    if (kind == Kind::Date)
        return StoredForm::readDate(storedForm).value_or(QDate());
    const std::optional<QDateTime> when = StoredForm::readDateTime(storedForm);
    return when ? when->date() : QDate();
}

/// "the 3rd of October"
QString dayOfMonth(QDate date)
{
    const int day = date.day();
    const char *suffix = (day % 10 == 1 && day != 11) ? "st"
                         : (day % 10 == 2 && day != 12) ? "nd"
                         : (day % 10 == 3 && day != 13) ? "rd"
                                                         : "th";
    return QStringLiteral("the %1%2 of %3").arg(day).arg(QLatin1String(suffix), english().monthName(date.month()));
}

QString ordinalWay(int index)
{
    static const QStringList words = {QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")};
    return index < words.size() ? words.at(index) : QStringLiteral("%1th").arg(index + 1);
}

/// "English (United Kingdom)"; the C form is ISO.
QString languageName(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QStringLiteral("the ISO form");
    return QStringLiteral("%1 (%2)").arg(QLocale::languageToString(locale.language()),
                                         QLocale::territoryToString(locale.territory()));
}

/// Up to kExamples distinct texts whose readings differ, dates first.
QList<qsizetype> differingExamples(const QList<FileReading> &readings, const QList<OldStoredTexts::Text> &texts)
{
    QList<qsizetype> dates;
    QList<qsizetype> others;
    QSet<QString> seen;
    for (qsizetype i = 0; i < texts.size() && dates.size() < kExamples; ++i) {
        const bool differs = std::any_of(readings.cbegin() + 1, readings.cend(), [&](const FileReading &reading) {
            return reading.values.at(i) != readings.first().values.at(i);
        });
        if (!differs || seen.contains(texts.at(i).text))
            continue;
        seen.insert(texts.at(i).text);
        (isDateKind(texts.at(i).column->kind) ? dates : others).append(i);
    }
    return (dates + others).mid(0, kExamples);
}

/// The index of the option chosen (the first is the default), -1 for Cancel.
int askWithCancel(Prompts &prompts, const QString &message, const QStringList &options)
{
    const int cancel = int(options.size());
    const int chosen = prompts.ShowChoice(message, options + QStringList{QStringLiteral("Cancel")}, 0, cancel);
    return chosen >= 0 && chosen < cancel ? chosen : -1;
}

std::optional<FileReading> askWhichReading(const QList<FileReading> &readings, const QList<OldStoredTexts::Text> &texts,
                                           Prompts &prompts, const QLocale &shown, const QString &leaveUntouched)
{
    const QList<qsizetype> examples = differingExamples(readings, texts);
    const OldStoredTexts::Text &first = texts.at(examples.first());
    const Kind kind = first.column->kind;
    QStringList meanings;
    for (const FileReading &reading : readings) {
        const QString value = *reading.values.at(examples.first());
        meanings << (isDateKind(kind) ? dayOfMonth(dateOf(kind, value)) : shownValue(kind, value, shown));
    }
    QString question = QStringLiteral("Which of these is right?");
    if (readings.size() == 2) {
        question = isDateKind(kind) ? QStringLiteral("Is %1 %2 or %3?").arg(first.text, meanings.at(0), meanings.at(1))
                                    : QStringLiteral("Is the amount \"%1\" %2 or %3?")
                                          .arg(first.text, meanings.at(0), meanings.at(1));
    }
    QStringList ways;
    QStringList options;
    for (qsizetype r = 0; r < readings.size(); ++r) {
        QStringList read{QStringLiteral("Read the %1 way:").arg(ordinalWay(int(r)))};
        for (qsizetype i : examples) {
            read << QStringLiteral("    %1 is %2").arg(texts.at(i).text,
                                                       shownValue(texts.at(i).column->kind,
                                                                  *readings.at(r).values.at(i), shown));
        }
        ways << read.join(QLatin1Char('\n'));
        options << QStringLiteral("&%1: %2").arg(r + 1).arg(meanings.at(r));
    }
    const QString message =
        QStringLiteral("This company database was written by an older version of the program, and its dates and "
                       "amounts can be read in more than one way.\n\n%1\n\n%2\n\nCancel leaves the file as it is and %3.")
            .arg(question, ways.join(QStringLiteral("\n\n")), leaveUntouched);
    const int chosen = askWithCancel(prompts, message, options);
    if (chosen < 0)
        return std::nullopt;
    return readings.at(chosen);
}

std::optional<FileReading> askToKeepUnread(const FileReading &best, const QList<OldStoredTexts::Text> &texts,
                                           Prompts &prompts, const QString &leaveUntouched)
{
    QStringList listed;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (best.values.at(i))
            continue;
        if (listed.size() == kListed) {
            listed << QStringLiteral("... and %1 more.").arg(best.unreadCount() - kListed);
            break;
        }
        listed << QStringLiteral("%1, %2: \"%3\"").arg(texts.at(i).rowName, texts.at(i).column->caption,
                                                       texts.at(i).text);
    }
    const QString message =
        QStringLiteral("This company database was written by an older version of the program. Its dates and amounts "
                       "read as %1 writes them, but these values read as no date, time or amount that could be "
                       "meant:\n\n%2\n\nConvert the rest and keep these exactly as they are (each document concerned "
                       "asks for them when it is opened), or Cancel: that leaves the file as it is and %3.")
            .arg(languageName(best.form.locale()), listed.join(QLatin1Char('\n')), leaveUntouched);
    if (askWithCancel(prompts, message, {QStringLiteral("&Convert the rest")}) != 0)
        return std::nullopt;
    return best;
}

} // namespace

QString shownValue(Kind kind, const QString &storedForm, const QLocale &shown)
{
    if (storedForm.isEmpty())
        return QStringLiteral("no date");
    if (kind == Kind::Date)
        return english().toString(dateOf(kind, storedForm), QStringLiteral("d MMMM yyyy"));
    if (kind == Kind::DateTime) {
        const QDateTime when = *StoredForm::readDateTime(storedForm);
        return english().toString(when.date(), QStringLiteral("d MMMM yyyy")) + QLatin1Char(' ')
               + when.time().toString(QStringLiteral("HH:mm"));
    }
    QLocale plain = shown;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(StoredForm::readAmount(storedForm).value_or(0), 'f', QLocale::FloatingPointShortest);
}

std::optional<FileReading> chooseReading(const FormDecision &decision, const QList<OldStoredTexts::Text> &texts,
                                         Prompts &prompts, const QLocale &shown, const QString &leaveUntouched)
{
    if (decision.complete.size() == 1)
        return decision.complete.first();
    if (decision.complete.size() > 1)
        return askWhichReading(decision.complete, texts, prompts, shown, leaveUntouched);
    if (decision.best)
        return askToKeepUnread(*decision.best, texts, prompts, leaveUntouched);
    return std::nullopt;
}

} // namespace UpgradeQuestions
