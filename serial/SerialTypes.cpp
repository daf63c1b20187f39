#include "serial/SerialTypes.h"

#include <array>

uint32_t BaudRateValue(TBaudRate rate) {
    static constexpr std::array<uint32_t, 15> kRates = {110,   300,   600,    1200,   2400,
                                                        4800,  9600,  14400,  19200,  38400,
                                                        56000, 57600, 115200, 128000, 256000};
    const auto index = static_cast<unsigned>(rate);
    return index < kRates.size() ? kRates[index] : 0;
}
