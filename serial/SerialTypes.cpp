#include "serial/SerialTypes.h"

#include "serial/LineSpeeds.h"

uint32_t BaudRateValue(TBaudRate rate) {
    const auto index = static_cast<unsigned>(rate);
    return index < kLineSpeeds.size() ? kLineSpeeds[index] : 0;
}
