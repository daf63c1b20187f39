#include "ui/SettingsFileDialogs.h"

#include <QDir>

#include "settings/FileAccess.h"
#include "ui/MessageBoxes.h"

std::optional<std::string> TSettingsFileDialogs::ChooseToOpen() {
    PrepareOpenDialog();
    return Chosen(*OpenDialog1);
}

void TSettingsFileDialogs::PrepareOpenDialog() {
    if (OpenDialog1) {
        return;
    }
    OpenDialog1.emplace(&window_);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setWindowTitle(QString::fromUtf8(OpenTitle));
    OpenDialog1->setDirectory(QString::fromStdString(services_.SettingsDirectory));
    OpenDialog1->setNameFilter(QString::fromUtf8(Filter));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    OpenDialog1->setSizeGripEnabled(true);
}

std::optional<std::string> TSettingsFileDialogs::ChooseToSave() {
    // Made before the dialog so that it can start there; one that cannot be made shows as the
    // file that cannot be written.
    MakeDirectories(services_.SettingsDirectory);
    const QString folder = services_.SettingsInProgramDirectory
                               ? QDir::currentPath()
                               : QString::fromStdString(services_.SettingsDirectory);
    const QString filter = QString::fromUtf8(Filter);
    QFileDialog dialog(&window_, QString::fromUtf8(SaveTitle), folder, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.selectNameFilter(filter);
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The file written is the one of that name in the settings folder: the question about
    // replacing it is asked there, not about a file of the folder the dialog shows.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setSizeGripEnabled(true);
    return Chosen(dialog);
}

std::optional<std::string> TSettingsFileDialogs::Chosen(QFileDialog& dialog) {
    if (services_.Modal->Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

bool TSettingsFileDialogs::ConfirmReplace(const std::string& path) {
    const auto box = MakeReplaceQuestion(QString::fromStdString(path), &window_);
    return services_.Modal->Exec(*box) == QMessageBox::Yes;
}
