#pragma once

#include <cstdint>
#include <functional>

#include "serial/SerialTypes.h"

class TSerialPort;

using TNotifyEvent = std::function<void(TSerialPort& sender)>;
using TLineSignalEvent = std::function<void(TSerialPort& sender, bool state)>;
using TLineErrorEvent = std::function<void(TSerialPort& sender, TLineErrors errors)>;
using TRxCharEvent = std::function<void(TSerialPort& sender, int32_t count)>;
