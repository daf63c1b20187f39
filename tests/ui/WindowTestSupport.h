#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "testing/FakeClock.h"
#include "testing/FakeSerialDriver.h"
#include "ui/Form1.h"
#include "ui/ModalRunner.h"

// What one modal box showed.
struct TShownBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
};

// What one file dialog showed.
struct TShownFileDialog {
    QString Title;
    QStringList Filters;
};

// Records every message box and file dialog instead of showing it and answers each dialog from a
// queue of answers; a box without an answer is closed with its first button, a file dialog is
// cancelled.
class TScriptedModal final : public TModalRunner {
  public:
    using TAnswer = std::function<int(QDialog&)>;

    int Exec(QDialog& dialog) override;
    void Answer(TAnswer answer) { answers_.push_back(std::move(answer)); }
    // A file dialog answered with this file name.
    void ChooseFile(const QString& path);

    std::vector<TShownBox> Boxes;
    std::vector<QString> DialogTitles;
    std::vector<TShownFileDialog> FileDialogs;

  private:
    std::deque<TAnswer> answers_;
};

// A window over a fake serial driver, scripted dialogs, a fake clock and a settings directory
// of its own.
struct TTestWindow {
    explicit TTestWindow(std::vector<std::string> ports = {"/dev/ttyS0", "/dev/ttyS1"},
                         bool listingFails = false, const QString& settingsDirectory = {},
                         bool settingsInProgramDirectory = true);

    // What the port listing finds; a test may change it while the window runs.
    std::shared_ptr<std::vector<TPortEntry>> Ports = std::make_shared<std::vector<TPortEntry>>();
    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    std::shared_ptr<TScriptedModal> Modal = std::make_shared<TScriptedModal>();
    std::shared_ptr<TFakeClock> Clock = std::make_shared<TFakeClock>();
    QTemporaryDir Directory;
    std::unique_ptr<TForm1> Form;
};

// Every text of the window a person reads, keyed by where it stands: the caption, the tabs shown,
// the labels, buttons and group titles, the accessible names, the code grids' headers and names
// and the journal's header. Two windows built alike have the same keys.
std::map<QString, QString> ShownTexts(TForm1& form);

// The texts that do not fit the control showing them, on each page in turn: labels and buttons
// narrower or lower than their size hint, group titles, tabs and the code grids' fixed cells.
QStringList ClippedTexts(TForm1& form);
