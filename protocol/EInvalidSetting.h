#pragma once

#include <stdexcept>
#include <string>

// A setting whose value cannot go to the panel as it stands; nothing of the write has been sent.
class EInvalidSetting : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
