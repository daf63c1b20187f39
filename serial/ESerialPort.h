#pragma once

#include <stdexcept>
#include <string>

// Every failure of the serial link. The message is UTF-8 and is shown to the technician as it is.
class ESerialPort : public std::runtime_error {
  public:
    explicit ESerialPort(const std::string& message) : std::runtime_error(message) {}
};
