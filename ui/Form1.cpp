#include "ui/Form1.h"

#include <QCloseEvent>
#include <algorithm>
#include <array>
#include <exception>

#include "protocol/DownloadCodeTable.h"
#include "protocol/DownloadJournal.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/ReadSettings.h"
#include "protocol/UploadCodeTable.h"
#include "protocol/WriteSettings.h"
#include "serial/LineSpeeds.h"
#include "settings/SettingsFile.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowsText.h"

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      rules_({.ServiceSyncCalls = [this] { SerialPort1.ServiceSyncCalls(); },
              .Close = [this] { close(); },
              .ShowError = [this](const QString& message) { ShowError(message); },
              .ShowWarning = [this](const QString& message) { ShowValidationWarning(message); },
              .Ended = [this] { DropVanishedPort(); }}),
      StringGrid2(88),
      StringGrid3(122),
      SerialPort1(services_.SerialDriver),
      portNotifications_(SerialPort1, *this,
                         {.SyncCallsWaiting = [this] { rules_.SyncCallsWaiting(); },
                          .DeviceVanished = [this] { DropVanishedPort(); }}),
      dialogs_(*this, services_),
      settingsStore_(TSettingsPageControls{
          {&CodObj, &TimePeriod, &Edit7, &Edit1, &TochDost1, &Server1, &LocalPort1, &ServerPort1,
           &TochDost2, &Server2, &LocalPort2, &ServerPort2},
          &CheckBox1,
          &CheckBox2,
          &RadioButton1,
          &RadioButton2,
          &RadioButton3,
          &RadioButton4}),
      eventCodes_(TCodeTableKind::Events, StringGrid2),
      restoreCodes_(TCodeTableKind::Restore, StringGrid3),
      link_(SerialPort1, ProgressBar1, *services_.Clock),
      design_({CodObj, TimePeriod, LocalPort1, LocalPort2, Edit6}) {
    BuildWindow();
    SetDesignValues();
    SetTabOrder();
    SetAccessibleNames();
    port.ListPorts = services_.ListPorts;
    ConnectHandlers();
    FormCreate();
}

void TForm1::ConnectHandlers() {
    const std::array<std::pair<QPushButton*, void (TForm1::*)()>, 11> handlers{{
        {&Button1, &TForm1::Button1Click},
        {&Button2, &TForm1::Button2Click},
        {&Button3, &TForm1::Button3Click},
        {&Button4, &TForm1::Button4Click},
        {&Button5, &TForm1::Button5Click},
        {&Button6, &TForm1::Button6Click},
        {&Button7, &TForm1::Button7Click},
        {&Button8, &TForm1::Button8Click},
        {&Button9, &TForm1::Button9Click},
        {&Button10, &TForm1::Button10Click},
        {&Button11, &TForm1::Button11Click},
    }};
    for (const auto& [button, handler] : handlers) {
        connect(button, &QPushButton::clicked, this, handler);
    }
    // Nothing selects the journal page; should anything try, the page shown before stays.
    connect(&PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl1.widget(index) == &TabSheet4) {
            PageControl1.setCurrentWidget(&TabSheet1);
        }
    });
}

// A close asked for during an exchange waits for its end, as every other input does.
void TForm1::closeEvent(QCloseEvent* event) {
    if (rules_.CloseNow()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TForm1::FormCreate() {
    rules_.Run([this] {
        port.Fill();
        port.setCurrentIndex(0);
        baudrate.setCurrentIndex(kInitialLineSpeed);
        Button2.setEnabled(false);
        StringGrid1.SetCellText(0, 0, ToWindows1251(QStringLiteral("Номер")));
        StringGrid1.SetCellText(1, 0, ToWindows1251(QStringLiteral("Событие")));
        LoadDefaultCodes(eventCodes_);
        LoadDefaultCodes(restoreCodes_);
        LoadStartupSettings(settingsStore_, services_.SettingsDirectory,
                            services_.ProgramDirectory);
    });
}

void TForm1::ShowConnected(bool connected) {
    Button1.setEnabled(!connected);
    port.setEnabled(!connected);
    baudrate.setEnabled(!connected);
    Button2.setEnabled(connected);
}

// A speed typed into the list counts when it is one of the entries; no other speed reaches the
// port.
TBaudRate TForm1::SelectedBaudRate() const {
    const QString text = baudrate.currentText().trimmed();
    const auto entry =
        std::find_if(kLineSpeeds.begin(), kLineSpeeds.end(),
                     [&text](uint32_t speed) { return text == QString::number(speed); });
    if (entry == kLineSpeeds.end()) {
        throw std::runtime_error(tr("Скорость «%1» не поддерживается: выберите скорость из списка")
                                     .arg(baudrate.currentText())
                                     .toStdString());
    }
    return static_cast<TBaudRate>(entry - kLineSpeeds.begin());
}

void TForm1::Button1Click() {
    rules_.Run([this] {
        const TBaudRate rate = SelectedBaudRate();
        if (SerialPort1.Close()) {
            SerialPort1.SetPort(port.currentText().toStdString());
            SerialPort1.SetBaudRate(rate);
        }
        if (SerialPort1.Open()) {
            ShowConnected(true);
        }
    });
}

// A pulled adapter or a hung-up line closes the port as Disconnect does, so that the window shows
// the truth and the system may give the device back under its own name. Nothing more is shown: an
// exchange it ended has already shown its error, and idle the line's events reach no one.
void TForm1::DropVanishedPort() {
    if (!SerialPort1.Connected() || !SerialPort1.DeviceVanished()) {
        return;
    }
    try {
        SerialPort1.Close();
    } catch (const std::exception&) {
        // The port ends closed all the same; a device that is gone has nothing left to report.
    }
    ShowConnected(false);
}

// Ends disconnected whatever closing reported; an error from it is shown after.
void TForm1::Button2Click() {
    rules_.Run([this] {
        std::exception_ptr failure;
        try {
            SerialPort1.Close();
        } catch (...) {
            failure = std::current_exception();
        }
        ShowConnected(false);
        if (failure) {
            std::rethrow_exception(failure);
        }
    });
}

void TForm1::Button3Click() {
    rules_.Run([this] { ReadSettings(link_, settingsStore_); });
}

void TForm1::Button4Click() {
    rules_.Run([this] { WriteSettings(link_, settingsStore_); });
}

void TForm1::Button5Click() {
    rules_.Run([this] {
        const std::optional<std::string> chosen = dialogs_.ChooseToOpen();
        if (!chosen) {
            return;
        }
        OpenSettingsFile(settingsStore_, services_.SettingsDirectory, *chosen);
        ShowConfirmation(tr("Открыто успешно."));
    });
}

void TForm1::Button6Click() {
    rules_.Run([this] {
        const std::optional<std::string> chosen = dialogs_.ChooseToSave();
        if (!chosen) {
            return;
        }
        const bool saved = SaveSettingsFile(
            settingsStore_, services_.SettingsDirectory, *chosen,
            [this](const std::string& path) { return dialogs_.ConfirmReplace(path); });
        if (saved) {
            ShowConfirmation(tr("Сохранено успешно."));
        }
    });
}

void TForm1::Button7Click() {
    rules_.Run([this] { UploadCodeTable(link_, eventCodes_); });
}

void TForm1::Button8Click() {
    rules_.Run([this] { DownloadCodeTable(link_, eventCodes_); });
}

void TForm1::Button9Click() {
    rules_.Run([this] { UploadCodeTable(link_, restoreCodes_); });
}

void TForm1::Button11Click() {
    rules_.Run([this] { DownloadCodeTable(link_, restoreCodes_); });
}

void TForm1::Button10Click() {
    rules_.Run([this] { DownloadJournal(link_, StringGrid1, ToWindows1251(Edit6.text())); });
}

void TForm1::ShowError(const QString& message) {
    const auto box = MakeErrorBox(message, this);
    services_.Modal->Exec(*box);
}

void TForm1::ShowConfirmation(const QString& message) {
    const auto box = MakeConfirmationBox(message, this);
    services_.Modal->Exec(*box);
}

void TForm1::ShowValidationWarning(const QString& message) {
    const auto box = MakeValidationWarning(message, this);
    services_.Modal->Exec(*box);
}
