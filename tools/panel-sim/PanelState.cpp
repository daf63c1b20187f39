#include "tools/panel-sim/PanelState.h"

#include <initializer_list>

namespace irven::sim {

namespace {

constexpr std::uint8_t kTcp = 1;
constexpr std::uint8_t kUdp = 2;

// Codes of rows 1 to 25; rows without a code of their own hold the filler "000".
constexpr std::string_view kDefaultCodes =
    "110118130373571000301311137627305520"
    "000000000000000000000000000000000000000";

// A day in the life of a panel, oldest first: the journal cleared, power-up, a technician in the
// menus, loop alarms and faults, supply trouble, communicator events, and two codes (3 and 84)
// outside the configurator's table.
constexpr std::initializer_list<std::uint8_t> kDefaultJournal = {
    77, 69, 4,  16, 17, 18, 19, 10, 54, 55, 24, 28, 32, 36, 71, 72, 40, 44, 48, 52, 53, 64, 65, 66,
    67, 68, 70, 73, 74, 75, 76, 78, 79, 80, 81, 82, 83, 20, 56, 57, 59, 62, 63, 3,  84, 5,  11,
};

}  // namespace

TPanelState DefaultPanelState() {
    TPanelState state;
    state.Text(TTextSetting::Sim1ServerAddress) = "192.0.2.10";
    state.Text(TTextSetting::Sim2ServerAddress) = "192.0.2.10";
    state.Text(TTextSetting::Sim1Apn) = "internet";
    state.Text(TTextSetting::Sim2Apn) = "internet";
    state.Text(TTextSetting::Sim1LocalPort) = "7789";
    state.Text(TTextSetting::Sim2LocalPort) = "7790";
    state.Text(TTextSetting::Sim1ServerPort) = "7789";
    state.Text(TTextSetting::Sim2ServerPort) = "7790";
    state.Text(TTextSetting::ObjectCode) = "2222";
    state.Text(TTextSetting::SmsNumber1) = "\"+380501234567\"";
    state.Text(TTextSetting::SmsNumber2) = "\"+380671234567\"";
    state.Byte(TByteSetting::TestPeriod) = 5;
    state.Byte(TByteSetting::SmsMode) = 0;
    state.Byte(TByteSetting::GprsMode) = 1;
    state.Byte(TByteSetting::Sim1Transport) = kTcp;
    state.Byte(TByteSetting::Sim2Transport) = kUdp;
    state.EventCodes = kDefaultCodes;
    state.RestoreCodes = kDefaultCodes;
    state.Journal.assign(kDefaultJournal.begin(), kDefaultJournal.end());
    return state;
}

}  // namespace irven::sim
