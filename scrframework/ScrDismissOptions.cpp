#include "ScrDismissOptions.h"

TScrDismissOptions ScrDismissOptions(const TScrDismissInput& input) {
  TScrDismissOptions options{};
  options.cornersOkVisible = input.sageOk;
  options.cornersBadVisible = !input.sageOk;
  options.muteVisible = input.allowMute;
  options.activeVisible = input.allowActiveConfig;
  options.sensitivityEnabled = true;
  if (input.windowsNt || input.requirePassword == rpAlways) {
    options.waitVisible = true;
    options.waitEnabled = false;
    options.waitShowsZero = true;
  } else {
    options.waitVisible = input.requirePassword == rpNormal;
    options.waitEnabled = options.waitVisible;
    options.waitShowsZero = false;
  }
  return options;
}
