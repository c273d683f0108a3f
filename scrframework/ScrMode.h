#pragma once

#include <cstdint>

// The run mode of the saver, and the role (Purpose) a form was designed for.  The ordinal
// values are fixed: forms store their Purpose by number and the controller indexes its class
// table with them.
enum TScrMode : std::uint8_t {
  smSaver = 0,           // a saver form usable for any saver or preview role
  smSFull = 1,           // full-screen saver
  smSPreview = 2,        // a preview form usable for either preview
  smSPConfig = 3,        // preview inside the configuration dialog's monitor picture
  smSPMain = 4,          // preview inside the Display control panel
  smConfig = 5,          // a configuration dialog usable for either configuration
  smCRegular = 6,        // configuration started by the control panel
  smCActive = 7,         // active configuration, opened from inside the running saver
  smAbout = 8,           // about dialog
  smSettings = 9,        // extra-settings component
  smPasswordChange = 10,
  smPasswordVerify = 11,
  smNone = 12,           // no mode
};
