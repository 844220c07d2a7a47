#include "WritingForm.h"

#include "DateText.h"
#include "StoredForm.h"

#include <QHash>
#include <QSet>
#include <array>

using OldStoredTexts::Kind;

namespace {

/// What makes two languages write differently; languages alike in all of it are tried once.
QString signature(const QLocale &locale)
{
    return QStringList{DateText::shortDateFormat(locale), DateText::longTimeFormat(locale), locale.decimalPoint(),
                       locale.groupSeparator(), locale.toCurrencyString(-1234.5)}
        .join(QChar(0x1F));
}

bool plausible(QDate date, QDate today)
{
    return date >= QDate(1990, 1, 1) && date <= today.addYears(5);
}

} // namespace

WritingForm::WritingForm(const QLocale &locale)
    : m_locale(locale)
{
}

std::optional<QString> WritingForm::storedForm(Kind kind, const QString &text) const
{
    const auto amount = [](std::optional<double> value) -> std::optional<QString> {
        if (!value)
            return std::nullopt;
        return StoredForm::amountText(*value);
    };
    switch (kind) {
    case Kind::Date:
        if (StoredForm::readDate(text))
            return text;
        // The blank hand-write forms carried the line to write the date on; they have no date.
        if (text == QLatin1String("Date:____/____/________"))
            return QString();
        if (const std::optional<QDate> read = StoredForm::Legacy::readDate(text, m_locale))
            return StoredForm::dateText(*read);
        return std::nullopt;
    case Kind::DateTime:
        if (StoredForm::readDateTime(text))
            return text;
        if (const std::optional<QDateTime> read = StoredForm::Legacy::readDateTime(text, m_locale))
            return StoredForm::dateTimeText(*read);
        return std::nullopt;
    case Kind::Decimal:
        return amount(StoredForm::Legacy::readDecimal(text, m_locale));
    case Kind::Currency:
        return amount(StoredForm::Legacy::readCurrency(text, m_locale));
    case Kind::Quantity:
        // Quantities have long been written in C form; only a text that is not one is
        // read as the language would write it.
        if (const std::optional<double> value = StoredForm::readAmount(text))
            return StoredForm::amountText(*value);
        return amount(StoredForm::Legacy::readDecimal(text, m_locale));
    }
    return std::nullopt;
}

QList<WritingForm> WritingForm::candidates(const QLocale &current)
{
    static const std::array<const char *, 22> common = {
        "en_US", "en_GB", "en_CA", "en_AU", "de_DE", "de_AT", "de_CH", "fr_FR", "fr_CA", "fr_CH", "fr_BE",
        "es_ES", "es_MX", "it_IT", "nl_NL", "sv_SE", "nb_NO", "da_DK", "fi_FI", "pt_BR", "pl_PL", "C"};
    QList<WritingForm> forms{WritingForm(current)};
    QSet<QString> tried{signature(current)};
    for (const char *name : common) {
        const QLocale locale(QString::fromLatin1(name));
        if (!tried.contains(signature(locale))) {
            tried.insert(signature(locale));
            forms.append(WritingForm(locale));
        }
    }
    return forms;
}

qsizetype FileReading::unreadCount() const
{
    return std::count(values.cbegin(), values.cend(), std::nullopt);
}

FileReading readUnder(const WritingForm &form, const QList<OldStoredTexts::Text> &texts, QDate today,
                      bool stopAtFirstUnread)
{
    FileReading reading{form, {}};
    reading.values.reserve(texts.size());
    // Dates and quantities repeat a lot; each distinct text is read once.
    QHash<QString, std::optional<QString>> known[5];
    QHash<QString, QHash<qint64, QString>> spanStarts; // start column -> row -> stored start
    for (const OldStoredTexts::Text &text : texts) {
        const Kind kind = text.column->kind;
        QHash<QString, std::optional<QString>> &cache = known[int(kind)];
        auto cached = cache.constFind(text.text);
        if (cached == cache.cend()) {
            std::optional<QString> value = form.storedForm(kind, text.text);
            if (value && !value->isEmpty() && (kind == Kind::Date || kind == Kind::DateTime)) {
                const QDate date = kind == Kind::Date ? *StoredForm::readDate(*value)
                                                      : StoredForm::readDateTime(*value)->date();
                if (!plausible(date, today))
                    value.reset();
            }
            cached = cache.insert(text.text, value);
        }
        std::optional<QString> value = *cached;
        if (value && kind == Kind::DateTime)
            spanStarts[text.column->column].insert(text.rowId, *value);
        if (value && !text.column->startColumn.isEmpty()) {
            // Both are in the stored form, which sorts as it reads.
            const QString start = spanStarts.value(text.column->startColumn).value(text.rowId);
            if (!start.isEmpty() && *value < start)
                ++reading.backwardSpans;
        }
        reading.values.append(value);
        if (!value && stopAtFirstUnread)
            break;
    }
    return reading;
}

FormDecision decideWritingForm(const QList<OldStoredTexts::Text> &texts, const QLocale &current, QDate today)
{
    const QList<WritingForm> forms = WritingForm::candidates(current);
    FormDecision decision;
    for (const WritingForm &form : forms) {
        FileReading reading = readUnder(form, texts, today, true);
        if (reading.values.size() != texts.size() || !reading.complete())
            continue;
        const bool seen = std::any_of(decision.complete.cbegin(), decision.complete.cend(),
                                      [&](const FileReading &other) { return other.values == reading.values; });
        if (!seen)
            decision.complete.append(std::move(reading));
    }
    if (!decision.complete.isEmpty()) {
        const int fewest = std::min_element(decision.complete.cbegin(), decision.complete.cend(),
                                            [](const FileReading &a, const FileReading &b) {
                                                return a.backwardSpans < b.backwardSpans;
                                            })->backwardSpans;
        decision.complete.removeIf([fewest](const FileReading &r) { return r.backwardSpans > fewest; });
        return decision;
    }
    // Nothing reads it all: a slower second round counts what each form reads.
    for (const WritingForm &form : forms) {
        FileReading reading = readUnder(form, texts, today);
        if (!decision.best || reading.unreadCount() < decision.best->unreadCount())
            decision.best = std::move(reading);
    }
    return decision;
}
