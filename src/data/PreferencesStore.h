#pragma once

#include "core/Preferences.h"

class Database;

/// The window preferences' row in tblAppPreferences.
namespace PreferencesStore {

[[nodiscard]] AppPreferences pLoadPreferences(Database &db);
void pSavePreferences(const AppPreferences &prefs, Database &db);

} // namespace PreferencesStore
