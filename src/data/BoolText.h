#pragma once

#include <QString>
#include <optional>

/// Booleans are stored and passed as the text "-1" (true) and "0" (false).
namespace BoolText {

inline QString from(bool value)
{
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

/// "-1", any other non-zero number or "True" is true; "0" or "False" is false;
/// anything else (the empty text included) is not a boolean.
inline std::optional<bool> parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0.0;
}

} // namespace BoolText
