#include "CsvFields.h"

#include "data/StoredForm.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace Csv {

namespace {

QString nameKey(const QString &name)
{
    QString key;
    for (const QChar c : name.toCaseFolded()) {
        if (c.isLetterOrNumber())
            key += c;
    }
    return key;
}

std::optional<bool> readYesNo(const QString &text)
{
    static const QStringList yes = {QStringLiteral("-1"), QStringLiteral("1"), QStringLiteral("yes"),
                                    QStringLiteral("y"), QStringLiteral("true"), QStringLiteral("x")};
    static const QStringList no = {QStringLiteral("0"), QStringLiteral("no"), QStringLiteral("n"),
                                   QStringLiteral("false")};
    const QString key = text.trimmed().toCaseFolded();
    if (yes.contains(key))
        return true;
    if (no.contains(key))
        return false;
    return std::nullopt;
}

DecimalMark otherMark(DecimalMark mark)
{
    return mark == DecimalMark::Comma ? DecimalMark::Point : DecimalMark::Comma;
}

/// How \a text reads under \a mark, or why it cannot be taken. \a needsLook is set
/// when it would read as another number under the other mark.
QVariant readDecimal(const QString &text, const DecimalReading &decimals, QString &reason, bool &needsLook)
{
    const std::optional<double> value = AmountReader::readWritten(text, decimals.mark);
    if (!value) {
        reason = QStringLiteral("not a number with a decimal %1: \"%2\"")
                     .arg(AmountReader::markName(decimals.mark), text.left(40));
        return {};
    }
    const std::optional<double> other = AmountReader::readWritten(text, otherMark(decimals.mark));
    if (other && *other != *value && !decimals.takeAmbiguous) {
        // The reading with thousands has no decimals, so it shows the same in every language.
        const QChar mark = text.contains(QLatin1Char(',')) ? QLatin1Char(',') : QLatin1Char('.');
        const double grouped = mark == AmountReader::markCharacter(decimals.mark) ? *other : *value;
        reason = QStringLiteral("\"%1\" needs a look: \"%2\" may be its decimal mark or separate thousands (%3)")
                     .arg(text.left(40), QString(mark), StoredForm::amountText(grouped));
        needsLook = true;
        return {};
    }
    if (*value < 0) {
        reason = QStringLiteral("a negative amount");
        return {};
    }
    if (!AmountReader::withinLargest(*value)) {
        reason = QStringLiteral("too large: no amount may be above %1")
                     .arg(QString(StoredForm::amountText(AmountReader::kLargest))
                              .replace(QLatin1Char('.'), AmountReader::markCharacter(decimals.mark)));
        return {};
    }
    return *value;
}

/// The value of \a text for \a field, or the reason it cannot be taken.
QVariant readValue(const QString &text, const FieldSpec &field, const DecimalReading &decimals, QString &reason,
                   bool &needsLook)
{
    switch (field.kind) {
    case ValueKind::Text:
        if (field.maxLength > 0 && text.size() > field.maxLength) {
            reason = QStringLiteral("too long for the field (%1 characters, at most %2)")
                         .arg(text.size())
                         .arg(field.maxLength);
            return {};
        }
        return text;
    case ValueKind::WholeNumber: {
        bool ok = false;
        const qint64 value = text.trimmed().toLongLong(&ok);
        if (!ok) {
            reason = QStringLiteral("not a whole number: \"%1\"").arg(text.left(40));
            return {};
        }
        if (value < field.minimum || value > field.maximum) {
            reason = QStringLiteral("%1 is not between %2 and %3").arg(value).arg(field.minimum).arg(field.maximum);
            return {};
        }
        return value;
    }
    case ValueKind::Decimal:
        return readDecimal(text, decimals, reason, needsLook);
    case ValueKind::YesNo: {
        const std::optional<bool> value = readYesNo(text);
        if (!value) {
            reason = QStringLiteral("not yes or no: \"%1\"").arg(text.left(40));
            return {};
        }
        return *value;
    }
    }
    return {};
}

} // namespace

Mapping matchColumns(const QStringList &headers, const QList<FieldSpec> &fields)
{
    Mapping mapping(fields.size(), -1);
    QList<bool> taken(headers.size(), false);
    for (qsizetype f = 0; f < fields.size(); ++f) {
        QStringList names = fields[f].synonyms;
        names.prepend(fields[f].caption);
        for (const QString &name : names) {
            const QString key = nameKey(name);
            for (qsizetype c = 0; c < headers.size() && mapping[f] < 0; ++c) {
                if (!taken[c] && nameKey(headers[c]) == key) {
                    mapping[f] = int(c);
                    taken[c] = true;
                }
            }
        }
    }
    return mapping;
}

std::optional<ValueRow> convertRow(const Table &table, qsizetype index, const QList<FieldSpec> &fields,
                                   const Mapping &mapping, const DecimalReading &decimals,
                                   QList<RowProblem> &problems)
{
    const QStringList cells = table.row(index);
    const int rowNumber = table.rowNumber(index);
    bool fits = true;
    for (qsizetype c = table.headers.size(); c < cells.size(); ++c) {
        if (!cells[c].trimmed().isEmpty()) {
            problems.append({rowNumber, QString(),
                             QStringLiteral("%1 fields, but the header row names %2")
                                 .arg(cells.size())
                                 .arg(table.headers.size())});
            fits = false;
            break;
        }
    }
    ValueRow row{rowNumber, QVariantList(fields.size())};
    for (qsizetype f = 0; f < fields.size(); ++f) {
        const int column = mapping.value(f, -1);
        if (column < 0 || column >= cells.size())
            continue;
        const QString text = unprotectFormula(cells[column]);
        if (text.trimmed().isEmpty() && fields[f].kind != ValueKind::Text)
            continue;
        if (text.isEmpty())
            continue;
        QString reason;
        bool needsLook = false;
        row.values[f] = readValue(text, fields[f], decimals, reason, needsLook);
        if (!reason.isEmpty()) {
            problems.append({rowNumber, fields[f].caption, reason, needsLook});
            fits = false;
        }
    }
    if (!fits)
        return std::nullopt;
    return row;
}

Conversion convert(const Table &table, const QList<FieldSpec> &fields, const Mapping &mapping,
                   const DecimalReading &decimals)
{
    Conversion result;
    for (qsizetype r = 0; r < table.rowCount(); ++r) {
        if (auto row = convertRow(table, r, fields, mapping, decimals, result.problems))
            result.rows.append(std::move(*row));
    }
    return result;
}

MarkDecision decideDecimalMark(const Table &table, const QList<FieldSpec> &fields, const Mapping &mapping,
                               const QLocale &locale)
{
    QList<int> columns;
    for (qsizetype f = 0; f < fields.size(); ++f) {
        if (fields[f].kind == ValueKind::Decimal && mapping.value(f, -1) >= 0)
            columns << mapping[f];
    }
    qsizetype forPoint = 0;
    qsizetype forComma = 0;
    for (qsizetype r = 0; r < table.rowCount() && !columns.isEmpty(); ++r) {
        const QStringList cells = table.row(r);
        for (const int column : columns) {
            const QString text = unprotectFormula(cells.value(column));
            const bool point = AmountReader::readWritten(text, DecimalMark::Point).has_value();
            const bool comma = AmountReader::readWritten(text, DecimalMark::Comma).has_value();
            forPoint += point && !comma;
            forComma += comma && !point;
        }
    }
    if (forPoint == forComma)
        return {AmountReader::markOf(locale), false};
    return {forPoint > forComma ? DecimalMark::Point : DecimalMark::Comma, true};
}

QStringList captions(const QList<FieldSpec> &fields)
{
    QStringList headers;
    for (const FieldSpec &field : fields)
        headers << field.caption;
    return headers;
}

void sortByRow(QList<RowProblem> &problems)
{
    std::stable_sort(problems.begin(), problems.end(),
                     [](const RowProblem &a, const RowProblem &b) { return a.rowNumber < b.rowNumber; });
}

} // namespace Csv
