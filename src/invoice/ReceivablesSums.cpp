#include "ReceivablesSums.h"

#include "Money.h"
#include "data/StoredAmountFunction.h"
#include "data/StoredForm.h"

#include <QCollator>
#include <QUtf8StringView>
#include <algorithm>
#include <cmath>
#include <vector>

namespace Receivables {

namespace {

constexpr double kOwesNothing = 0.005;

std::string_view viewOf(QByteArrayView bytes)
{
    return {bytes.data(), std::size_t(bytes.size())};
}

/// The customer as customerText() shows it, in the stored bytes.
void shownInto(QByteArray &shown, QByteArrayView company, QByteArrayView name)
{
    // Keeps the buffer: most rows need no new one.
    shown.resize(0);
    if (company.isEmpty()) {
        shown.append(name);
    } else if (name.isEmpty()) {
        shown.append(company);
    } else {
        shown.append(company);
        shown.append(", ");
        shown.append(name);
    }
}

/// Customers are told apart by the text shown: bytes that are not UTF-8 (an older
/// program's) can show as the same text, so they are keyed by the bytes of that text.
QByteArray keyOf(const QByteArray &shown)
{
    return QUtf8StringView(shown).isValidUtf8() ? shown : QString::fromUtf8(shown).toUtf8();
}

double amountOf(qint64 cents)
{
    return double(cents) / 100.0;
}

} // namespace

FigureSums::FigureSums(QDate today)
{
    for (std::size_t b = 0; b < m_dueFrom.size(); ++b)
        m_dueFrom[b] = StoredForm::dateText(today.addDays(-30 * qint64(b))).toUtf8();
}

bool FigureSums::Customer::namedBefore(std::string_view due, int number) const
{
    return named && std::pair(std::string_view(firstDue), firstNumber) <= std::pair(due, number);
}

Bucket FigureSums::bucketDue(QByteArrayView due) const
{
    // Stored dates compare as their bytes; no due date is not late.
    if (due.isEmpty())
        return NotYetDue;
    for (std::size_t b = 0; b < m_dueFrom.size(); ++b) {
        if (due >= QByteArrayView(m_dueFrom[b]))
            return Bucket(b);
    }
    return Over90;
}

void FigureSums::add(QByteArrayView due, int number, qint64 customerId, QByteArrayView company, QByteArrayView name,
                     QByteArrayView amount)
{
    const std::optional<double> balance = StoredAmountFunction::read(amount);
    if (!balance) {
        m_unreadable.append(number);
        return;
    }
    if (std::abs(*balance) < kOwesNothing)
        return;
    const qint64 cents = Money::toCents(*balance).value_or(0);
    // The name is made only where it tells customers apart or names one.
    Customer *customer = nullptr;
    if (customerId != 0) {
        customer = &m_listed[customerId];
        if (!customer->namedBefore(viewOf(due), number))
            shownInto(m_shown, company, name);
    } else {
        shownInto(m_shown, company, name);
        customer = &m_named[keyOf(m_shown)];
    }
    if (!customer->namedBefore(viewOf(due), number)) {
        customer->named = true;
        customer->firstDue.assign(viewOf(due));
        customer->firstNumber = number;
        customer->shown.assign(m_shown.constData(), std::size_t(m_shown.size()));
    }
    ++m_rows;
    if (cents < 0) {
        m_creditCents += cents;
        customer->creditCents += cents;
    } else {
        const auto bucket = std::size_t(bucketDue(due));
        m_bucketCents[bucket] += cents;
        customer->bucketCents[bucket] += cents;
    }
}

void FigureSums::addInto(Customer &into, const Customer &from)
{
    if (from.named && !into.namedBefore(from.firstDue, from.firstNumber)) {
        into.named = true;
        into.firstDue = from.firstDue;
        into.firstNumber = from.firstNumber;
        into.shown = from.shown;
    }
    for (std::size_t b = 0; b < into.bucketCents.size(); ++b)
        into.bucketCents[b] += from.bucketCents[b];
    into.creditCents += from.creditCents;
    into.retainageCents += from.retainageCents;
}

void FigureSums::merge(const FigureSums &other)
{
    for (auto it = other.m_listed.cbegin(); it != other.m_listed.cend(); ++it)
        addInto(m_listed[it.key()], it.value());
    for (auto it = other.m_named.cbegin(); it != other.m_named.cend(); ++it)
        addInto(m_named[it.key()], it.value());
    for (std::size_t b = 0; b < m_bucketCents.size(); ++b)
        m_bucketCents[b] += other.m_bucketCents[b];
    m_creditCents += other.m_creditCents;
    m_retainageCents += other.m_retainageCents;
    m_rows += other.m_rows;
    m_unreadable.append(other.m_unreadable);
}

void FigureSums::addRetainage(qint64 customerId, const QString &customer, qint64 cents)
{
    const QByteArray shown = customer.toUtf8();
    Customer &held = customerId != 0 ? m_listed[customerId] : m_named[shown];
    if (!held.named) {
        held.named = true;
        held.shown.assign(shown.constData(), std::size_t(shown.size()));
    }
    held.retainageCents += cents;
    m_retainageCents += cents;
}

Figures FigureSums::figures() const
{
    Figures figures;
    for (std::size_t b = 0; b < m_bucketCents.size(); ++b)
        figures.buckets[b] = amountOf(m_bucketCents[b]);
    figures.credit = amountOf(m_creditCents);
    figures.retainageHeld = amountOf(m_retainageCents);
    figures.rows = m_rows;
    figures.unreadable = m_unreadable;
    std::sort(figures.unreadable.begin(), figures.unreadable.end());

    struct Shown
    {
        CustomerTotal total;
        const Customer *customer;
    };
    std::vector<Shown> shown;
    shown.reserve(std::size_t(m_listed.size() + m_named.size()));
    const auto show = [&shown](const Customer &customer) {
        CustomerTotal total;
        total.customer = QString::fromUtf8(customer.shown.data(), qsizetype(customer.shown.size()));
        qint64 balance = customer.creditCents;
        for (std::size_t b = 0; b < customer.bucketCents.size(); ++b) {
            total.buckets[b] = amountOf(customer.bucketCents[b]);
            balance += customer.bucketCents[b];
        }
        total.credit = amountOf(customer.creditCents);
        total.balance = amountOf(balance);
        total.retainageHeld = amountOf(customer.retainageCents);
        shown.push_back({total, &customer});
    };
    for (const Customer &customer : m_listed)
        show(customer);
    for (const Customer &customer : m_named)
        show(customer);
    // Sorted by the user's collation; names that collate alike keep the order of
    // their oldest due rows.
    const QCollator collator;
    std::sort(shown.begin(), shown.end(), [&collator](const Shown &a, const Shown &b) {
        const int byName = collator.compare(a.total.customer, b.total.customer);
        if (byName != 0)
            return byName < 0;
        return std::pair(std::string_view(a.customer->firstDue), a.customer->firstNumber)
            < std::pair(std::string_view(b.customer->firstDue), b.customer->firstNumber);
    });
    for (const Shown &customer : shown)
        figures.customers.append(customer.total);
    return figures;
}

} // namespace Receivables
