#pragma once

#include <QString>

/// The engine's quick check of the live company database, run where it cannot
/// delay the start.
namespace LiveFileCheck {

/// What the quick check finds wrong with the database at \a path; empty when it is
/// sound or could not be checked now (another program holds it locked).
[[nodiscard]] QString problems(const QString &path);

/// Runs problems() on a thread of its own, with its own connection, and reports what
/// it finds to DamageWatch. Returns at once.
void startInBackground(const QString &path);

} // namespace LiveFileCheck
