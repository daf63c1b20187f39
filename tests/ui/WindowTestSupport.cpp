#include "tests/ui/WindowTestSupport.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <stdexcept>

#include "serial/ESerialPort.h"

int TScriptedModal::Exec(QDialog& dialog) {
    DialogTitles.push_back(dialog.windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        TShownBox shown{box->windowTitle(), box->text(), box->icon(), {}};
        for (QAbstractButton* button : box->buttons()) {
            shown.Buttons << button->text();
        }
        Boxes.push_back(shown);
    }
    if (!answers_.empty()) {
        TAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        return answer(dialog);
    }
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        return box->standardButton(box->buttons().constFirst());
    }
    return QDialog::Rejected;
}

void TScriptedModal::ChooseFile(const QString& path) {
    Answer([path](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        static_cast<QDialog&>(files).accept();
        return files.result();
    });
}

TTestWindow::TTestWindow(std::vector<std::string> ports, bool listingFails,
                         const QString& settingsDirectory, bool settingsInProgramDirectory) {
    TForm1Services services;
    services.SerialDriver = Driver;
    for (std::string& name : ports) {
        Ports->push_back({std::move(name), {}});
    }
    services.ListPorts = [found = Ports, listingFails](std::vector<TPortEntry>& entries) {
        if (listingFails) {
            throw ESerialPort("Помилка звернення до системного реєстру");
        }
        entries = *found;
    };
    services.SettingsDirectory =
        (settingsDirectory.isEmpty() ? Directory.path() : settingsDirectory).toStdString();
    services.ProgramDirectory = Directory.path().toStdString();
    services.SettingsInProgramDirectory = settingsInProgramDirectory;
    services.Modal = Modal;
    services.Clock = Clock;
    Form = std::make_unique<TForm1>(std::move(services));
}
