#pragma once

#include "CsvTable.h"
#include "core/AmountReader.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace Csv {

enum class ValueKind { Text, WholeNumber, Decimal, YesNo };

/// A field an import fills: the caption it is known by, other names a column for
/// it may carry, and what its values must be.
struct FieldSpec
{
    QString caption;
    QStringList synonyms;
    ValueKind kind = ValueKind::Text;
    /// Longest text the field takes; 0 for no limit.
    int maxLength = 0;
    /// Range of a whole number.
    int minimum = 0;
    int maximum = 0;
};

/// For each field, the column of the table that fills it, or -1.
using Mapping = QList<int>;

/// A row that cannot be taken, and why.
struct RowProblem
{
    int rowNumber = 0;
    QString field;
    QString reason;
    /// An amount that reads differently with a decimal point and a decimal comma.
    bool needsLook = false;
};

/// How a file's decimals are read: one mark for the whole file. An amount that would
/// read differently under the other mark is a problem that needs a look, unless the
/// user chose to take such amounts as read with this mark.
struct DecimalReading
{
    DecimalMark mark = DecimalMark::Point;
    bool takeAmbiguous = false;
};

/// The decimal mark of a file and whether its values showed it (false: none of
/// them tells the marks apart, or as many speak for each, and the user's locale
/// decided).
struct MarkDecision
{
    DecimalMark mark = DecimalMark::Point;
    bool fromValues = false;
};

/// A row whose values all read: one value per field (QString, qint64, double or
/// bool; an unmapped or empty field holds an empty QVariant).
struct ValueRow
{
    int rowNumber = 0;
    QVariantList values;

    [[nodiscard]] QString text(int field) const { return values.at(field).toString(); }
    [[nodiscard]] bool isEmpty(int field) const { return !values.at(field).isValid(); }
};

struct Conversion
{
    QList<ValueRow> rows;
    QList<RowProblem> problems;
};

/// Matches the header row to \a fields by caption or synonym, ignoring letter case,
/// blanks and punctuation. Each column fills at most one field.
[[nodiscard]] Mapping matchColumns(const QStringList &headers, const QList<FieldSpec> &fields);

/// Reads row \a index of \a table through \a mapping as convert() does, one row at a
/// time: nothing when it has faults, which go to \a problems.
[[nodiscard]] std::optional<ValueRow> convertRow(const Table &table, qsizetype index, const QList<FieldSpec> &fields,
                                                 const Mapping &mapping, const DecimalReading &decimals,
                                                 QList<RowProblem> &problems);

/// Reads every row of \a table through \a mapping. A row with a value that does not
/// fit its field (too long, not a number, out of range, not yes or no) or with
/// more fields than the header names goes to the problems, one entry per fault.
/// Decimals read as \a decimals says; none may be negative or above the largest
/// amount. Formula apostrophes are removed.
[[nodiscard]] Conversion convert(const Table &table, const QList<FieldSpec> &fields, const Mapping &mapping,
                                 const DecimalReading &decimals);

/// The decimal mark of the decimal fields \a mapping fills, decided once from all
/// their values: each value that reads under one mark only speaks for it; when the
/// values do not settle it, the mark of \a locale.
[[nodiscard]] MarkDecision decideDecimalMark(const Table &table, const QList<FieldSpec> &fields,
                                             const Mapping &mapping, const QLocale &locale);

/// The captions of \a fields, as an export's header row.
[[nodiscard]] QStringList captions(const QList<FieldSpec> &fields);

/// Orders \a problems by row, as the preview lists them.
void sortByRow(QList<RowProblem> &problems);

} // namespace Csv
