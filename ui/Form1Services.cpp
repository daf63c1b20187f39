#include "ui/Form1Services.h"

#include "serial/PlatformSerialDriver.h"
#include "serial/PortList.h"
#include "settings/SettingsFolder.h"
#include "ui/WindowClock.h"

TForm1Services TForm1Services::Program() {
    TForm1Services services;
    services.SerialDriver = PlatformSerialDriver();
    services.ListPorts = [](std::vector<TPortEntry>& ports) { ports = ListSerialPortEntries(); };
    const TSettingsFolder settings = SettingsFolder();
    services.SettingsDirectory = settings.Path;
    services.SettingsInProgramDirectory = settings.InProgramDirectory;
    services.ProgramDirectory = ::ProgramDirectory();
    services.Modal = std::make_shared<TExecModalRunner>();
    services.Clock = std::make_shared<TWindowClock>();
    return services;
}
