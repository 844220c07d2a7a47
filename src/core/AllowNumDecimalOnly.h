#pragma once

#include <QLocale>
#include <QValidator>

/// The key filter of every amount and quantity field: only the digits 0 to 9 and
/// one decimal separator of the locale get in, whether typed or pasted. A minus
/// sign, group separators, letters and other scripts' digits are refused.
/// Deleting is always allowed, since it cannot add a refused character.
class AllowNumDecimalOnly final : public QValidator
{
    Q_OBJECT
public:
    explicit AllowNumDecimalOnly(const QLocale &locale, QObject *parent = nullptr);

    /// Invalid for refused text; Intermediate while the text is empty or only the
    /// separator (not yet a number); Acceptable otherwise.
    State validate(QString &input, int &pos) const override;

    /// Whether \a text holds nothing the filter would refuse.
    [[nodiscard]] static bool accepts(const QString &text, const QLocale &locale);

private:
    QLocale m_locale;
};
