#pragma once

#include <string>

#include "ScrHive.h"

// The options of one slideshow saver, kept per saver: each saver the editor builds is its own
// program with its own archive, so two savers on one machine keep their own choices.  They
// live in the current user's hive under the editor's key, in a subkey named after the
// saver's base name (SlideSettingsKey).  Portable: the saver uses the current user's hive of
// Windows, the tests one in memory.

struct TSlideSettings {
  bool RandomOrder = false;   // "RandomOrder": random rounds instead of the list's order
  bool CrossFade = false;     // "CrossFade": about a second of dissolve instead of a cut
  bool EnlargeSmall = false;  // "EnlargeSmall": pictures smaller than the monitor grow to fit
  bool operator==(const TSlideSettings&) const = default;
};

// The editor's key in the current user's hive; every saver has a subkey below it.
inline constexpr char SlideSettingsRoot[] = "Software\\Studio Esempio\\Lumivox\\Screen savers";

// The key of the saver whose module is at modulePath: SlideSettingsRoot + "\" + the module's
// file name without its extension ("C:\Windows\Vacanze.scr" gives "...\Vacanze").
std::string SlideSettingsKey(const std::string& modulePath);

// Reads the three values (REG_DWORD, non-zero = on).  A missing key or value, or one stored
// in another form, reads as off; nothing is written, so a saver that was never set up plays
// with the defaults and leaves the registry as it found it.
TSlideSettings SlideReadSettings(TScrHive& hive, const std::string& key);

// Writes the three values as REG_DWORD 0 or 1, creating the key.  False when the key cannot
// be created or a value cannot be written.
bool SlideWriteSettings(TScrHive& hive, const std::string& key, const TSlideSettings& settings);
