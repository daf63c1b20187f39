#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "protocol/Clock.h"
#include "protocol/DeviceLink.h"
#include "protocol/EventCodeTable.h"
#include "serial/PortList.h"
#include "serial/SerialPort.h"
#include "ui/CodeGrid.h"
#include "ui/InputLimitValidator.h"
#include "ui/JournalGridView.h"
#include "ui/ModalRunner.h"
#include "ui/PagesScrollArea.h"
#include "ui/PortComboBox.h"
#include "ui/ProgressBar.h"
#include "ui/SettingsPageStore.h"

// What the window works with besides its own controls; tests replace any of them.
struct TForm1Services {
    std::shared_ptr<TSerialDriver> SerialDriver;
    // The serial ports, sorted, each with what the system tells of it; raises ESerialPort.
    std::function<void(std::vector<TPortEntry>&)> ListPorts;
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

// The main window: the connection panel at the left, the pages, and the progress bar under them.
// Every control is a member named as the control; every handler runs its operation to its end,
// shows what it raised, and leaves the window usable. A main window, so that assistive technology
// presents it as the application's frame.
class TForm1 final : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr const char* CaptionSource = QT_TR_NOOP("Ирвен А4 Конфигуратор");
    // The caption as written; the window shows it in the interface language.
    static inline const QString Caption = QString::fromUtf8(CaptionSource);

    explicit TForm1(TForm1Services services, QWidget* parent = nullptr);
    ~TForm1() override;

    // Whether a handler is running; no other handler starts meanwhile.
    bool Busy() const { return busy_; }
    // Whether a line-monitor delivery waits for the running handler to end.
    bool SyncCallsHeld() const { return syncCallsHeld_; }
    // The open dialog, made at its first use and kept for the window's life.
    QFileDialog* OpenDialog() { return OpenDialog1 ? &*OpenDialog1 : nullptr; }
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
    void BuildConnectionPanel();
    void BuildSettingsPage();
    void BuildSiteGroup();
    void BuildSimGroup(int sim);
    void BuildCodePage();
    void BuildJournalPage();
    void BuildWindow();
    void FitToScreen();
    void SetDesignValues();
    void SetTabOrder();
    void SetAccessibleNames();
    void ConnectHandlers();
    void InstallSyncWakeup();

    // Runs one handler's body: refuses to start while another runs, and shows what it raised once
    // it has ended.
    void RunHandler(const std::function<void()>& body);
    void EndHandler();
    void ServiceSyncCalls();

    void FillPortList(const std::vector<TPortEntry>& entries);
    void RefreshPortList();
    void ShowConnected(bool connected);
    TBaudRate SelectedBaudRate() const;
    void PrepareOpenDialog();
    bool ConfirmReplace(const std::string& path);
    void ShowError(const QString& message);
    void ShowConfirmation(const QString& message);
    void ShowValidationWarning(const QString& message);

    TForm1Services services_;
    bool busy_ = false;
    bool syncCallsHeld_ = false;
    bool closeHeld_ = false;

    // Before the controls they hold, so that they are gone after them.
    QWidget central_;
    TPagesScrollArea pagesArea_;

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

    // Components without a window: the serial port, and the open dialog, made at its first use.
    TSerialPort SerialPort1;
    std::optional<QFileDialog> OpenDialog1;

  private:
    // Layouts after the widgets they are set on, nested ones after their parents, so that each is
    // gone before the widget or layout that holds it.
    QGridLayout formLayout_;
    QVBoxLayout panelLayout_;
    QGridLayout settingsLayout_;
    QGridLayout siteLayout_;
    QGridLayout sim1Layout_;
    QGridLayout sim2Layout_;

    TInputLimitValidator codObjLimit_;
    TInputLimitValidator timePeriodLimit_;
    TInputLimitValidator localPort1Limit_;
    TInputLimitValidator localPort2Limit_;
    TInputLimitValidator edit6Limit_;

    TSettingsPageStore settingsStore_;
    TEventCodeTable eventCodes_;
    TEventCodeTable restoreCodes_;
    TDeviceLink link_;
};
