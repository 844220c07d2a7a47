#pragma once

#include <functional>

class Database;

/// Many rows written as one act: all of them land or none does.
namespace BatchWrite {

/// Told how many of how many rows are written; answers false to stop.
using Progress = std::function<bool(int done, int total)>;

/// Runs \a writeRow for rows 0 to \a count - 1 in ONE transaction on \a db and
/// commits. \a progress hears of it every few rows and at the end; when it answers
/// false the transaction rolls back and the result is false. Any DbError from a
/// row rolls everything back and is passed on.
bool run(Database &db, int count, const std::function<void(int row)> &writeRow, const Progress &progress = {});

} // namespace BatchWrite
