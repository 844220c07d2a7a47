#include "ProgressSession.h"

#include "CentSplit.h"
#include "Money.h"
#include "core/AmountReader.h"

#include <cmath>

namespace {

QString itemName(const ProgressBilling::ScheduleItem &item, int index)
{
    const QString description = item.description.simplified();
    return description.isEmpty() ? QStringLiteral("Item %1").arg(index + 1)
                                 : QStringLiteral("Item %1 (%2)").arg(index + 1).arg(description);
}

} // namespace

ProgressSession::ProgressSession(std::vector<ProgressBilling::ScheduleItem> schedule, ProgressBilling::Billed before,
                                 ProgressBilling::Terms terms, QLocale locale)
    : m_schedule(std::move(schedule))
    , m_before(std::move(before))
    , m_terms(terms)
    , m_locale(std::move(locale))
    , m_typed(m_schedule.size())
{
    for (std::size_t i = 0; i < m_schedule.size(); ++i)
        m_completed.push_back(m_before.completedOf(i));
    recompute();
}

void ProgressSession::typePercent(int index, const QString &text)
{
    type(index, Entry::Percent, text);
}

void ProgressSession::typeAmount(int index, const QString &text)
{
    type(index, Entry::Amount, text);
}

void ProgressSession::type(int index, Entry entry, const QString &text)
{
    Typed &typed = m_typed[std::size_t(index)];
    typed = {entry, text, std::nullopt};
    m_changed = true;
    const ProgressBilling::ScheduleItem &item = m_schedule[std::size_t(index)];
    const QString what = entry == Entry::Percent ? QStringLiteral("percent complete") : QStringLiteral("amount");
    QString figure = text.trimmed();
    if (entry == Entry::Percent && figure.endsWith(QLatin1Char('%')))
        figure = figure.chopped(1).trimmed();

    double completed = m_before.completedOf(std::size_t(index));
    if (!figure.isEmpty()) { // an emptied field bills nothing more this period
        if (const std::optional<QString> problem = AmountReader::problem(what, figure, m_locale)) {
            typed.unread = itemName(item, index) + QStringLiteral(": ") + *problem;
            recompute();
            return;
        }
        const double value = *AmountReader::readTyped(figure, m_locale);
        if (entry == Entry::Percent) {
            completed = ProgressBilling::completedForPercent(item, value);
        } else {
            completed = CentSplit::centsOf(value);
            if (std::fabs(value * 100.0 - completed) > 1e-6) {
                typed.unread = QStringLiteral("%1: the amount %2 has fractions of a cent.").arg(itemName(item, index), text);
                recompute();
                return;
            }
        }
    }
    m_completed[std::size_t(index)] = completed;
    recompute();
}

void ProgressSession::recompute()
{
    if (ProgressBilling::refusal(m_schedule, m_completed, m_locale))
        m_bill = {};
    else
        m_bill = ProgressBilling::bill(m_schedule, m_before, m_completed, m_terms);

    m_rows = ProgressRows::of(m_schedule, m_before, m_completed, m_before.retainageHeldCents() + m_bill.retainageCents);
    m_totals = ProgressRows::total(m_rows);
}

std::optional<QString> ProgressSession::itemProblem(int index) const
{
    const Typed &typed = m_typed[std::size_t(index)];
    if (typed.unread)
        return typed.unread;
    const ProgressBilling::ScheduleItem &item = m_schedule[std::size_t(index)];
    const double completed = m_completed[std::size_t(index)];
    const double value = item.valueCents();
    // A deducted item (a change order taking work out) runs below zero.
    const double direction = value < 0 ? -1.0 : 1.0;
    if (completed * direction > value * direction)
        return QStringLiteral("%1: completed to date (%2) cannot pass the scheduled value (%3); "
                              "bill more through a change order.")
            .arg(itemName(item, index), amountText(completed), amountText(value));
    if (completed * direction < 0)
        return QStringLiteral("%1: completed to date (%2) cannot be less than nothing.")
            .arg(itemName(item, index), amountText(completed));
    return std::nullopt;
}

std::optional<QString> ProgressSession::refusal() const
{
    for (int i = 0; i < itemCount(); ++i) {
        if (const std::optional<QString> problem = itemProblem(i))
            return problem;
    }
    return ProgressBilling::refusal(m_schedule, m_completed, m_locale);
}

QString ProgressSession::amountText(double cents) const
{
    return Money::currencyText(cents / 100.0, m_locale);
}

QString ProgressSession::percentText(double percent) const
{
    return m_locale.toString(percent, 'f', 2) + QStringLiteral(" %");
}
