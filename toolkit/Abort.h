#pragma once

#include <stdexcept>

// The silent abort: ends the current operation (an event handler, a message) without a
// message box.  TApplication::HandleException swallows it.
class EAbort : public std::runtime_error {
public:
  EAbort() : std::runtime_error("Operation aborted") {}
};
