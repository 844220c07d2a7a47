#pragma once

#include <QString>

class Edition;

/// Where the data lives. Built anew on every call; nothing is cached, so a test
/// that points XDG_DATA_HOME elsewhere is followed at once.
namespace Paths {

/// The machine's data folder + "/Tarnwick Software" (or "TEMP DATA FILE" in the
/// current directory when built with TARNWICK_TEMP_DATA_FOLDER).
QString GetDataFolder();
/// The edition name without spaces, lower-cased, + major version: "lunvard6".
QString GetCompanyFolderName(const Edition &edition);
/// Data folder + "/" + edition name without spaces, lower-cased, + major version.
QString GetCompanyFolder(const Edition &edition);
/// "lunvard6.db" and the like.
QString GetDataBaseName(const Edition &edition);
QString GetDataBasePath(const Edition &edition);
QString GetLogoPath(const Edition &edition);
/// The help file beside the program's executable.
QString GetHelpFilePath(const Edition &edition);

} // namespace Paths
