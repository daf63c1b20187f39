#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <functional>

#include "protocol/DeviceLink.h"
#include "protocol/EventCodeTable.h"
#include "serial/SerialPort.h"
#include "ui/CodeGrid.h"
#include "ui/Form1Design.h"
#include "ui/Form1Frame.h"
#include "ui/Form1Services.h"
#include "ui/HandlerRules.h"
#include "ui/JournalGridView.h"
#include "ui/PortComboBox.h"
#include "ui/PortNotifications.h"
#include "ui/ProgressBar.h"
#include "ui/SettingsFileDialogs.h"
#include "ui/SettingsPageStore.h"

// The main window: the connection panel at the left, the pages, and the progress bar under them.
// Every control is a member named as the control; every handler runs its operation to its end,
// shows what it raised, and leaves the window usable. A main window, so that assistive technology
// presents it as the application's frame.
//
// The order in which its parts go at shutdown is stated by their types: the frame, a base, is made
// before every control and gone after them; each control comes before the controls it holds;
// the port notifications, made after the port, stop waking the window before the port closes; and
// the form file, the last member, owns the layouts, so that they go before the controls they are
// set on.
class TForm1 final : public QMainWindow, private TForm1Frame {
    Q_OBJECT

  public:
    static constexpr const char* CaptionSource = QT_TR_NOOP("Ирвен А4 Конфигуратор");
    // The caption as written; the window shows it in the interface language.
    static inline const QString Caption = QString::fromUtf8(CaptionSource);

    explicit TForm1(TForm1Services services, QWidget* parent = nullptr);

    // Whether a handler is running; no other handler starts meanwhile.
    bool Busy() const { return rules_.Busy(); }
    // Whether a line-monitor delivery waits for the running handler to end.
    bool SyncCallsHeld() const { return rules_.SyncCallsHeld(); }
    // The open dialog, made at its first use and kept for the window's life.
    QFileDialog* OpenDialog() { return dialogs_.OpenDialog(); }
    TSettingsStore& SettingsStore() { return settingsStore_; }

  public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The form file's, in Form1Design.cpp.
    void BuildWindow();
    void FitToScreen();
    void BuildConnectionPanel();
    void BuildSettingsPage();
    void BuildSiteGroup();
    void BuildSimGroup(int sim);
    void BuildCodePage();
    void BuildJournalPage();
    void SetDesignValues();
    void SetTabOrder();
    void SetAccessibleNames();

    void ConnectHandlers();
    void ShowConnected(bool connected);
    void DropVanishedPort();
    TBaudRate SelectedBaudRate() const;
    void ShowError(const QString& message);
    void ShowConfirmation(const QString& message);
    void ShowValidationWarning(const QString& message);

    TForm1Services services_;
    THandlerRules rules_;

  public:
    // The connection panel.
    TPortComboBox port;
    QComboBox baudrate;
    QPushButton Button1;
    QPushButton Button2;

    QTabWidget PageControl1;
    TProgressBar ProgressBar1;

    // "GPRS"
    QWidget TabSheet1;
    QPushButton Button3;
    QPushButton Button4;
    QPushButton Button5;
    QPushButton Button6;
    QGroupBox GroupBox3;
    QLabel CodObjLabel;
    QLineEdit CodObj;
    QLabel TimePeriodLabel;
    QLineEdit TimePeriod;
    QLabel TimePeriodRange;
    QLabel SmsNumbersLabel;
    QCheckBox CheckBox1;
    QLineEdit Edit7;
    QLabel Edit7Label;
    QCheckBox CheckBox2;
    QLineEdit Edit1;
    QLabel Edit1Label;
    QLabel Label12;
    QGroupBox GroupBox1;
    QLabel TochDost1Label;
    QLineEdit TochDost1;
    QLabel ServerPort1Label;
    QLineEdit ServerPort1;
    QLabel LocalPort1Label;
    QLineEdit LocalPort1;
    QLabel Server1Label;
    QLineEdit Server1;
    QRadioButton RadioButton1;
    QRadioButton RadioButton2;
    QGroupBox GroupBox2;
    QLabel TochDost2Label;
    QLineEdit TochDost2;
    QLabel ServerPort2Label;
    QLineEdit ServerPort2;
    QLabel LocalPort2Label;
    QLineEdit LocalPort2;
    QLabel Server2Label;
    QLineEdit Server2;
    QRadioButton RadioButton3;
    QRadioButton RadioButton4;

    // "Коды событий"
    QWidget TabSheet2;
    QPushButton Button7;
    QPushButton Button8;
    QPushButton Button9;
    QPushButton Button11;
    TCodeGrid StringGrid2;
    TCodeGrid StringGrid3;

    // "Журнал Событий", whose tab is hidden.
    QWidget TabSheet4;
    QLabel Label31;
    QLineEdit Edit6;
    QPushButton Button10;
    TJournalGridView StringGrid1;

    // The serial port, a component without a window.
    TSerialPort SerialPort1;

  private:
    TPortNotifications portNotifications_;
    TSettingsFileDialogs dialogs_;
    TSettingsPageStore settingsStore_;
    TEventCodeTable eventCodes_;
    TEventCodeTable restoreCodes_;
    TDeviceLink link_;
    TForm1Design design_;
};
