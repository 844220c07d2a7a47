#pragma once

#include "ProgressBilling.h"
#include "ProgressRows.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

/// The figures of one progress invoice while the user types them: per item the
/// percent or the amount completed to date, held as typed; the rows, their totals and
/// the bill follow at once. A text that does not read stays as typed and is named in
/// the refusal; the item keeps the last figure that read.
class ProgressSession
{
public:
    /// How an item's completed to date was last typed.
    enum class Entry { None, Percent, Amount };

    using Row = ProgressRows::Row;

    ProgressSession(std::vector<ProgressBilling::ScheduleItem> schedule, ProgressBilling::Billed before,
                    ProgressBilling::Terms terms, QLocale locale);

    [[nodiscard]] int itemCount() const { return int(m_schedule.size()); }
    [[nodiscard]] const ProgressBilling::ScheduleItem &item(int index) const { return m_schedule[std::size_t(index)]; }
    [[nodiscard]] const ProgressBilling::Terms &terms() const { return m_terms; }
    [[nodiscard]] const QLocale &locale() const { return m_locale; }

    /// The user typed \a text as item \a index's percent complete to date.
    void typePercent(int index, const QString &text);
    /// The user typed \a text as item \a index's amount completed to date.
    void typeAmount(int index, const QString &text);

    [[nodiscard]] Entry entry(int index) const { return m_typed[std::size_t(index)].entry; }
    /// The text as typed into the field named by entry(); empty when nothing was typed.
    [[nodiscard]] const QString &typedText(int index) const { return m_typed[std::size_t(index)].text; }
    /// Why what was typed for item \a index cannot be billed, or nothing.
    [[nodiscard]] std::optional<QString> itemProblem(int index) const;

    [[nodiscard]] const Row &row(int index) const { return m_rows[std::size_t(index)]; }
    /// Every column summed over the rows; the percent is of the whole schedule.
    [[nodiscard]] const Row &totals() const { return m_totals; }
    [[nodiscard]] const ProgressBilling::Bill &bill() const { return m_bill; }
    [[nodiscard]] const std::vector<double> &completedToDateCents() const { return m_completed; }

    /// Why the bill cannot be saved as it stands, or nothing.
    [[nodiscard]] std::optional<QString> refusal() const;
    /// Whether anything was typed since the session began or was last saved.
    [[nodiscard]] bool isChanged() const { return m_changed; }
    void markSaved() { m_changed = false; }

    /// Shown forms of the figures.
    [[nodiscard]] QString amountText(double cents) const;
    [[nodiscard]] QString percentText(double percent) const;

private:
    struct Typed
    {
        Entry entry = Entry::None;
        QString text;
        std::optional<QString> unread;
    };

    void type(int index, Entry entry, const QString &text);
    void recompute();

    std::vector<ProgressBilling::ScheduleItem> m_schedule;
    ProgressBilling::Billed m_before;
    ProgressBilling::Terms m_terms;
    QLocale m_locale;
    std::vector<Typed> m_typed;
    std::vector<double> m_completed;
    std::vector<Row> m_rows;
    Row m_totals;
    ProgressBilling::Bill m_bill;
    bool m_changed = false;
};
