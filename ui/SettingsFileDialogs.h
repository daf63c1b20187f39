#pragma once

#include <QFileDialog>
#include <QWidget>
#include <optional>
#include <string>

#include "ui/Form1Services.h"

// The settings page's open and save dialogs, and the folders they start in. The dialogs only
// choose a name: the file read or written is the one of that name in the settings folder.
class TSettingsFileDialogs {
  public:
    // Their titles and filter are the system's own texts, shown as they stand in every interface
    // language (the ".ехе" in Cyrillic letters).
    static constexpr const char* OpenTitle =
        "Відкривання конфігурації (повинна знаходитися в папці з .ехе)";
    static constexpr const char* SaveTitle =
        "Збереження конфігурації (повинна знаходитися в папці з .ехе)";
    static constexpr const char* Filter = "Settings .ini (*.ini)";

    TSettingsFileDialogs(QWidget& window, const TForm1Services& services)
        : window_(window), services_(services) {}

    // The name chosen in the open dialog, none when cancelled. The dialog is made at its first use
    // and kept for the window's life, so that it offers the last name again.
    std::optional<std::string> ChooseToOpen();
    // The name chosen in a new save dialog, none when cancelled; the settings folder is made first.
    std::optional<std::string> ChooseToSave();
    // Whether to replace the settings file that saving is about to write.
    bool ConfirmReplace(const std::string& path);

    QFileDialog* OpenDialog() { return OpenDialog1 ? &*OpenDialog1 : nullptr; }

  private:
    void PrepareOpenDialog();
    std::optional<std::string> Chosen(QFileDialog& dialog);

    QWidget& window_;
    const TForm1Services& services_;
    std::optional<QFileDialog> OpenDialog1;
};
