#pragma once

#include "ScrPasswordRule.h"

// Which of the general panel's controls are shown and which can be used, from the system and
// the controller's policy.
struct TScrDismissInput {
  bool sageOk;             // the System Agent runs (hot corners can start the saver)
  bool allowMute;          // the controller lets the user switch sound on
  bool allowActiveConfig;  // the controller offers active configuration
  bool windowsNt;          // GetVersionEx's platform id is 2
  TRequirePassword requirePassword;
};

struct TScrDismissOptions {
  bool cornersOkVisible;   // GenTxtCornersOk
  bool cornersBadVisible;  // GenTxtCornersBad
  bool muteVisible;        // GenChkMute
  bool activeVisible;      // GenChkActive
  bool sensitivityEnabled;  // GenCmbSensitivity
  // The wait controls: the labels GenTxtWait and GenTxtWaitTwo, the edit GenEdtWait, the
  // up-down GenUpdWait and the unit list GenCmbWait.
  bool waitVisible;
  bool waitEnabled;
  // The wait shows 0 seconds whatever the delay: on Windows NT, which asks for the password
  // itself, and with rpAlways, which asks at once.
  bool waitShowsZero;

  bool operator==(const TScrDismissOptions&) const = default;
};

// Windows NT or rpAlways: the wait shown as 0 seconds and disabled; otherwise rpNormal shows
// it enabled and rpNever hides it.
TScrDismissOptions ScrDismissOptions(const TScrDismissInput& input);
