#pragma once

#include "ScrHive.h"

// The registry hive of the current user (HKEY_CURRENT_USER).  Process-wide and stateless:
// every open key is its own handle, closed with the key object.  A key opened without
// creating it is opened for reading only: that is all the settings code does with one, and
// it keeps a user without write access to the key from losing the stored values.
TScrHive& ScrCurrentUserHive();
