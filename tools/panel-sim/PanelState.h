#pragma once

#include <array>
#include <cstdint>

#include "tools/panel-sim/Commands.h"
#include "tools/panel-sim/Frame.h"

namespace irven::sim {

// What a panel holds: the communication settings, the two report-code tables (25 codes of three
// bytes, back to back) and the event journal (one code byte per entry, at most 400).
struct TPanelState {
    std::array<TBytes, kTextSettingCount> Texts;
    std::array<std::uint8_t, kByteSettingCount> Bytes{};
    TBytes EventCodes;
    TBytes RestoreCodes;
    TBytes Journal;

    TBytes& Text(TTextSetting setting) { return Texts[static_cast<std::size_t>(setting)]; }
    const TBytes& Text(TTextSetting setting) const {
        return Texts[static_cast<std::size_t>(setting)];
    }
    std::uint8_t& Byte(TByteSetting setting) { return Bytes[static_cast<std::size_t>(setting)]; }
    std::uint8_t Byte(TByteSetting setting) const {
        return Bytes[static_cast<std::size_t>(setting)];
    }

    bool operator==(const TPanelState&) const = default;
};

// The configurator's defaults for the settings and the codes, and a journal of a few dozen
// entries touching every colour class and two codes the configurator has no text for.
TPanelState DefaultPanelState();

}  // namespace irven::sim
