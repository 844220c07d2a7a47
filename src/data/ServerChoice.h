#pragma once

#include "OfficeServer.h"

#include <QString>

/// Which database keeps the company, remembered between starts beside the company
/// file: the file itself, or an office server (never its password).
namespace ServerChoice {

struct Choice
{
    bool onServer = false;
    /// The last server named, kept while the file is in use so going back is one choice.
    OfficeServer::Settings server;
};

/// The choice remembered for the company at \a databasePath; the file when none is.
[[nodiscard]] Choice remembered(const QString &databasePath);

/// Remembers \a choice for the company at \a databasePath; throws FileError when it
/// cannot be written.
void remember(const QString &databasePath, const Choice &choice);

} // namespace ServerChoice
