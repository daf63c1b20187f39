#include <QApplication>

#include "bench/startup/FirstFrame.h"
#include "ui/ConfiguratorApplication.h"

// The configurator's own start-up, as its main runs it, until the first frame.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TConfiguratorApplication configurator(application);
    configurator.Start();
    TFirstFrame probe(*configurator.Window());
    return application.exec();
}
