#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class Edition;

/// Asking the update server whether a newer version exists.
namespace UpdateCheck {

enum class Verdict { Newer, NotNewer, Unreadable };

/// Compares the server's answer, four decimal digits (major, minor, release, build:
/// "6112" is 6.1.1.2), with the running version, major first. Anything else (empty,
/// "6.1.1.2", five digits, a page of text) cannot be read.
[[nodiscard]] Verdict compare(const QByteArray &answer);

/// "lunvard6": the edition's update name.
[[nodiscard]] QString updateName(const Edition &edition);

/// The server folder holding the version texts and installers (HTTPS).
[[nodiscard]] QUrl serverBase();
/// Points the client at a test server. Not a user setting.
void setServerBaseForTests(const QUrl &base);

[[nodiscard]] QUrl versionUrl(const Edition &edition);
[[nodiscard]] QUrl installerUrl(const Edition &edition);
/// Where the downloaded installer is kept: the temporary folder + update name + ".exe".
[[nodiscard]] QString installerPath(const Edition &edition);

} // namespace UpdateCheck
