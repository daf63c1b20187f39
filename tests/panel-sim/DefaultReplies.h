#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/panel-sim/PanelState.h"

namespace irven::sim::test {

// Every query the panel answers, with the reply of a panel in its default state: the same rows
// for the panel in-process and for the simulator over its pseudo-terminal.
inline std::vector<std::pair<std::string, std::string>> DefaultReplies() {
    using namespace std::string_literals;
    const TPanelState state = DefaultPanelState();
    return {
        {"?S1;", "192.0.2.10"},
        {"?S2;", "192.0.2.10"},
        {"?A1;", "internet"},
        {"?A2;", "internet"},
        {"?L1;", "7789"},
        {"?L2;", "7790"},
        {"?P1;", "7789"},
        {"?P2;", "7790"},
        {"?OC;", "2222"},
        {"?M1;", "\"+380501234567\""},
        {"?M2;", "\"+380671234567\""},
        {"?PT;", "\x05"},
        {"?MR;", "\0"s},
        {"?GP;", "\x01"},
        {"?T1;", "\x01"},
        {"?T2;", "\x02"},
        {"?EC;", state.EventCodes},
        {"?RC;", state.RestoreCodes},
        {"?JRN;", state.Journal},
        {"?BD;", "OK"},
    };
}

}  // namespace irven::sim::test
