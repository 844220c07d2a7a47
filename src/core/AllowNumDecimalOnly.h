#pragma once

#include <QLocale>
#include <QValidator>

/// The key filter of every amount and quantity field: only the digits 0 to 9 and
/// one decimal separator of the locale get in, whether typed or pasted. A minus
/// sign, group separators, letters and other scripts' digits are refused, and so
/// is a text longer than the field's limit (refused whole, never cut).
/// Deleting is always allowed, since it cannot add a refused character.
class AllowNumDecimalOnly final : public QValidator
{
    Q_OBJECT
public:
    /// \a maxLength 0 means no limit.
    explicit AllowNumDecimalOnly(const QLocale &locale, QObject *parent = nullptr, int maxLength = 0);

    /// Invalid for refused text; Intermediate while the text is empty or only the
    /// separator (not yet a number); Acceptable otherwise.
    State validate(QString &input, int &pos) const override;
    /// A lone separator left in the field means nothing was entered.
    void fixup(QString &input) const override;

    /// Lets a stored text longer than the limit be shown and edited.
    void allowLength(int length);
    [[nodiscard]] int maxLength() const { return m_maxLength; }

    /// Whether \a text holds nothing the filter would refuse.
    [[nodiscard]] static bool accepts(const QString &text, const QLocale &locale);
    /// Whether \a text holds at least one digit: empty and a lone separator do not,
    /// and mean that no amount was entered.
    [[nodiscard]] static bool hasDigits(const QString &text);
    /// The one message for an amount field whose text is not a number; \a what
    /// names the field in lower case ("labor price").
    [[nodiscard]] static QString notANumber(const QString &what, const QString &text, const QLocale &locale);
    /// The hint shown when typed or pasted text is refused.
    [[nodiscard]] QString refusalHint() const;

private:
    QLocale m_locale;
    int m_maxLength;
};
