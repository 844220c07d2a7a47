#pragma once

#include <QString>

/// The small "saving" popup shown around writes the user waits for. Core code calls
/// it through this interface so it never depends on widgets.
class SavingIndicator
{
public:
    virtual ~SavingIndicator() = default;
    /// Shows the popup with \a text unless one is already open (the first text stays).
    virtual void pShowSaving(const QString &text) = 0;
    /// Asks the popup to close; it may finish its short animation first.
    virtual void pCloseSaving() = 0;
    /// Called now and then while an operation waits for another program to let go
    /// of the database file, so the user sees why nothing moves.
    virtual void pWaitingForLock() {}
    /// That wait has ended (the lock was had, or the operation gave up).
    virtual void pLockWaitOver() {}
};

/// For code running without a user interface.
class NoSavingIndicator final : public SavingIndicator
{
public:
    void pShowSaving(const QString &) override {}
    void pCloseSaving() override {}
};
