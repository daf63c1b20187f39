#include <QApplication>

#include "ui/ConfiguratorApplication.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TConfiguratorApplication configurator(application);
    return configurator.Run();
}
