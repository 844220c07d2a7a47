#pragma once

#include <QString>

/// The engine's quick check of the live company database, run where it cannot
/// delay the start.
namespace LiveFileCheck {

/// What the quick check finds wrong with the database at \a path; empty when it is
/// sound or could not be checked now (another program holds it locked, or stop()
/// cut it short).
[[nodiscard]] QString problems(const QString &path);

/// Runs problems() on a thread of its own, with its own connection, and reports what
/// it finds to DamageWatch. Returns at once.
void startInBackground(const QString &path);

/// Tells a check still running in the background to stop, without waiting for it:
/// its thread winds down while the caller goes on. stop() must still follow.
void askToStop();

/// Cuts short a check still running in the background and waits for its thread, so
/// quitting neither waits for a check of a large file nor leaves it reading while
/// the program's statics go away. A check cut short reports nothing.
void stop();

} // namespace LiveFileCheck
