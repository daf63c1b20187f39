#include "tools/cli/SettingsListing.h"

#include "protocol/Cp1251.h"
#include "tools/cli/LineEscape.h"

namespace {

std::string TextLine(const TSettingsStore& settings, TTextField field) {
    return std::string(FieldInfo(field).Name) + "=" +
           EscapeForLine(Cp1251ToUtf8(settings.Text(field))) + "\n";
}

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

const char* TransportName(TTransport transport) {
    return transport == TTransport::UDP ? "UDP" : "TCP";
}

struct TSimFields {
    TSim Sim;
    const char* Prefix;
    TTextField Apn, ServerAddress, ServerPort, LocalPort;
};

std::string SimLines(const TSettingsStore& settings, const TSimFields& sim, bool withTransport) {
    std::string lines = TextLine(settings, sim.Apn) + TextLine(settings, sim.ServerAddress) +
                        TextLine(settings, sim.ServerPort) + TextLine(settings, sim.LocalPort);
    if (withTransport) {
        lines += std::string(sim.Prefix) +
                 ".Transport=" + TransportName(settings.Transport(sim.Sim)) + "\n";
    }
    return lines;
}

std::string Listing(const TSettingsStore& settings, bool all) {
    std::string lines =
        TextLine(settings, TTextField::ObjectCode) + TextLine(settings, TTextField::TestPeriod) +
        TextLine(settings, TTextField::SmsNumber1) + TextLine(settings, TTextField::SmsNumber2);
    if (all) {
        lines += std::string("SmsMode=") + OnOff(settings.SmsMode()) + "\n";
        lines += std::string("GprsMode=") + OnOff(settings.GprsMode()) + "\n";
    }
    lines += SimLines(settings,
                      {TSim::Sim1, "Sim1", TTextField::Sim1Apn, TTextField::Sim1ServerAddress,
                       TTextField::Sim1ServerPort, TTextField::Sim1LocalPort},
                      all);
    lines += SimLines(settings,
                      {TSim::Sim2, "Sim2", TTextField::Sim2Apn, TTextField::Sim2ServerAddress,
                       TTextField::Sim2ServerPort, TTextField::Sim2LocalPort},
                      all);
    return lines;
}

}  // namespace

std::string ListAllSettings(const TSettingsStore& settings) {
    return Listing(settings, true);
}

std::string ListTextSettings(const TSettingsStore& settings) {
    return Listing(settings, false);
}
