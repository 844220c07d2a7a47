#include "EmailAddresses.h"

#include <QRegularExpression>

namespace EmailAddresses {

namespace {

bool isLocalCharacter(QChar c)
{
    static const QString allowed = QStringLiteral("!#$%&'*+/=?^_`{|}~.-");
    return c.isLetterOrNumber() || allowed.contains(c);
}

std::optional<QString> problemOfOne(const QString &address)
{
    const auto refuse = [&](const QString &why) {
        return std::optional<QString>(QStringLiteral("\"%1\" %2.").arg(address, why));
    };
    for (const QChar c : address) {
        if (c.isSpace())
            return refuse(QStringLiteral("has a blank in it"));
    }
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    if (at < 0)
        return refuse(QStringLiteral("has no @"));
    const QString local = address.left(at);
    const QString domain = address.mid(at + 1);
    if (local.isEmpty())
        return refuse(QStringLiteral("has no name before the @"));
    if (local.size() > 64 || address.size() > 254)
        return refuse(QStringLiteral("is too long for an e-mail address"));
    for (const QChar c : local) {
        if (!isLocalCharacter(c))
            return refuse(QStringLiteral("has a character an address cannot hold (%1)").arg(c));
    }
    if (local.startsWith(QLatin1Char('.')) || local.endsWith(QLatin1Char('.')) || local.contains(QStringLiteral("..")))
        return refuse(QStringLiteral("has a misplaced dot before the @"));
    // Labels of letters, digits and inner hyphens; at least two of them.
    static const QRegularExpression label(QStringLiteral("^[\\p{L}\\p{N}]([\\p{L}\\p{N}-]*[\\p{L}\\p{N}])?$"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    const QStringList labels = domain.split(QLatin1Char('.'));
    if (domain.isEmpty() || labels.size() < 2)
        return refuse(QStringLiteral("has no domain such as example.com after the @"));
    for (const QString &part : labels) {
        if (part.size() > 63 || !label.match(part).hasMatch())
            return refuse(QStringLiteral("has no valid domain after the @"));
    }
    if (labels.last().size() < 2 || labels.last().front().isDigit())
        return refuse(QStringLiteral("has no valid domain after the @"));
    return std::nullopt;
}

} // namespace

QStringList split(const QString &text)
{
    QStringList addresses;
    for (const QString &part : text.split(QLatin1Char(','))) {
        if (!part.trimmed().isEmpty())
            addresses << part.trimmed();
    }
    return addresses;
}

std::optional<QString> problem(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    if (text.contains(QLatin1Char(';')))
        return QStringLiteral("\"%1\" has semicolons; separate several addresses with commas.").arg(text.trimmed());
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        if (part.trimmed().isEmpty())
            return QStringLiteral("\"%1\" has an extra comma.").arg(text.trimmed());
        if (auto why = problemOfOne(part.trimmed()))
            return why;
    }
    return std::nullopt;
}

} // namespace EmailAddresses
