#pragma once

#include <memory>
#include <string>

#include "protocol/Clock.h"
#include "serial/SerialDriver.h"
#include "ui/ModalRunner.h"
#include "ui/PortComboBox.h"

// What the window works with besides its own controls; tests replace any of them.
struct TForm1Services {
    std::shared_ptr<TSerialDriver> SerialDriver;
    TPortListing ListPorts;
    // The folder of every settings file: the program directory, or the user's own folder for the
    // program when the program directory is not writable; made on the first save.
    std::string SettingsDirectory;
    // The program's own directory: its Settings.ini is read at start-up when the settings folder
    // holds none.
    std::string ProgramDirectory;
    // In the program directory the save dialog starts in the working directory; in the user's
    // folder it starts there, as nothing else would lead the user to it.
    bool SettingsInProgramDirectory = true;
    std::shared_ptr<TModalRunner> Modal;
    std::shared_ptr<TClock> Clock;

    // The program's own: the platform's serial ports, the settings folder, real modal dialogs
    // and the window's waits.
    static TForm1Services Program();
};
