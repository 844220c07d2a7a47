#pragma once

#include "Database.h"

#include <QLocale>
#include <memory>

class Edition;
class Prompts;
class SavingIndicator;
class Shell;

/// What every store and dialog works with: the edition, its database, the prompts,
/// the saving popup, the desktop shell and the locale. The lowest slice of the
/// application context; logic that needs no more takes only this.
class DataContext
{
public:
    DataContext(const Edition &edition, Prompts &prompts, SavingIndicator &saving);
    DataContext(const DataContext &) = delete;
    DataContext &operator=(const DataContext &) = delete;

    [[nodiscard]] const Edition &edition() const { return m_edition; }
    [[nodiscard]] Prompts &prompts() const { return m_prompts; }
    [[nodiscard]] SavingIndicator &saving() const { return m_saving; }
    /// What opens files and addresses on the desktop; one that opens nothing until set.
    [[nodiscard]] Shell &shell() const;
    void setShell(Shell *shell) { m_shell = shell; }

    /// A new connection to this edition's database, for one operation.
    [[nodiscard]] std::unique_ptr<Database> openDatabase() const;
    [[nodiscard]] QString databasePath() const;

    /// The edition's help page, or a notice when it cannot be opened.
    void pOpenHelp() const;

    /// The locale dates, amounts and currency texts are shown and typed in.
    QLocale locale;

protected:
    ~DataContext() = default;

private:
    const Edition &m_edition;
    Prompts &m_prompts;
    SavingIndicator &m_saving;
    Shell *m_shell = nullptr;
};
