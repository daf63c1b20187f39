#pragma once

#include <stdexcept>
#include <string>

// A settings file that could not be written; the message names its full path.
class EIniFileException : public std::runtime_error {
  public:
    explicit EIniFileException(const std::string& path);
};
