#include "ui/Form1.h"

#include <QCloseEvent>
#include <QDir>
#include <QMetaObject>
#include <QScreen>
#include <algorithm>
#include <array>
#include <exception>

#include "protocol/DownloadCodeTable.h"
#include "protocol/DownloadJournal.h"
#include "protocol/ECodeTableInvalid.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/ReadSettings.h"
#include "protocol/UploadCodeTable.h"
#include "protocol/WriteSettings.h"
#include "serial/LineSpeeds.h"
#include "settings/FileAccess.h"
#include "settings/SettingsFile.h"
#include "ui/CoreTextTranslator.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowsText.h"

namespace {

// The file dialogs' titles and filter are the system's own texts, shown as they stand in every
// interface language (the ".ехе" in Cyrillic letters).
const char* const kSettingsFilter = "Settings .ini (*.ini)";
const char* const kOpenTitle = "Відкривання конфігурації (повинна знаходитися в папці з .ехе)";
const char* const kSaveTitle = "Збереження конфігурації (повинна знаходитися в папці з .ехе)";

// Outer size 811 by 692 less a typical frame.
constexpr int kWindowWidth = 795;
constexpr int kWindowHeight = 654;
const QSize kFrameAllowance(811 - kWindowWidth, 692 - kWindowHeight);
constexpr int kPagesWidth = 689;
constexpr int kPagesHeight = 609;
constexpr int kSectionGap = 8;
// Room for a device path such as /dev/ttyUSB0 in the port list.
constexpr int kPortNameLength = 12;

// Places the controls of one row of a page at their positions, each wider than given when its
// text needs it; a control is moved right when the one before it has grown into its place.
class TRowPlacer {
  public:
    void Place(QWidget& widget, int left, int top, int width, int height) {
        const int x = std::max(left, nextFree_);
        const bool fitsText = qobject_cast<QLineEdit*>(&widget) == nullptr;
        const int w = fitsText ? std::max(width, widget.sizeHint().width()) : width;
        widget.setGeometry(x, top, w, std::max(height, widget.sizeHint().height()));
        nextFree_ = x + w + kMinimumGap;
    }

  private:
    static constexpr int kMinimumGap = 6;
    int nextFree_ = 0;
};

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      StringGrid2(88),
      StringGrid3(122),
      SerialPort1(services_.SerialDriver),
      codObjLimit_(CodObj, FieldInfo(TTextField::ObjectCode).InputLimit),
      timePeriodLimit_(TimePeriod, FieldInfo(TTextField::TestPeriod).InputLimit),
      localPort1Limit_(LocalPort1, FieldInfo(TTextField::Sim1LocalPort).InputLimit),
      localPort2Limit_(LocalPort2, FieldInfo(TTextField::Sim2LocalPort).InputLimit),
      edit6Limit_(Edit6, kJournalCountLength),
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
      link_(SerialPort1, ProgressBar1, *services_.Clock) {
    BuildWindow();
    SetDesignValues();
    SetTabOrder();
    SetAccessibleNames();
    ConnectHandlers();
    InstallSyncWakeup();
    FormCreate();
}

// The monitor may still wake the window while the port closes; closing runs those deliveries
// itself.
TForm1::~TForm1() {
    SerialPort1.SetSyncWakeup({});
}

void TForm1::BuildWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr(CaptionSource));
    BuildConnectionPanel();
    BuildSettingsPage();
    BuildCodePage();
    BuildJournalPage();

    PageControl1.setObjectName(QStringLiteral("PageControl1"));
    PageControl1.addTab(&TabSheet1, QStringLiteral("GPRS"));
    PageControl1.addTab(&TabSheet2, tr("Коды событий"));
    PageControl1.addTab(&TabSheet4, tr("Журнал Событий"));
    PageControl1.setTabVisible(PageControl1.indexOf(&TabSheet4), false);
    PageControl1.setCurrentWidget(&TabSheet1);
    PageControl1.setMinimumSize(kPagesWidth, kPagesHeight);
    PageControl1.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ProgressBar1.setObjectName(QStringLiteral("ProgressBar1"));
    pagesArea_.setWidget(&PageControl1);
    pagesArea_.setMaximumSize(pagesArea_.sizeHint());

    formLayout_.addLayout(&panelLayout_, 0, 0);
    formLayout_.addWidget(&pagesArea_, 0, 1);
    formLayout_.addWidget(&ProgressBar1, 1, 1);
    formLayout_.setColumnStretch(2, 1);
    formLayout_.setRowStretch(2, 1);
    central_.setLayout(&formLayout_);
    setCentralWidget(&central_);
    FitToScreen();
}

// The designed size, unless the screen has less room: then the window takes what there is, and
// the pages scroll inside it while the connection panel and the progress bar stay in view.
void TForm1::FitToScreen() {
    QSize wanted = QSize(kWindowWidth, kWindowHeight).expandedTo(sizeHint());
    if (const QScreen* shown = screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() - kFrameAllowance);
    }
    resize(wanted);
}

void TForm1::BuildConnectionPanel() {
    port.setObjectName(QStringLiteral("port"));
    port.setEditable(true);
    port.setInsertPolicy(QComboBox::NoInsert);
    port.setMinimumContentsLength(kPortNameLength);
    port.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    port.BeforePopup = [this] { RefreshPortList(); };
    baudrate.setObjectName(QStringLiteral("baudrate"));
    baudrate.setEditable(true);
    baudrate.setInsertPolicy(QComboBox::NoInsert);
    for (const uint32_t speed : kLineSpeeds) {
        baudrate.addItem(QString::number(speed));
    }
    Button1.setObjectName(QStringLiteral("Button1"));
    Button1.setText(tr("Подключить"));
    Button2.setObjectName(QStringLiteral("Button2"));
    Button2.setText(tr("Отключить"));
    for (QWidget* control : std::initializer_list<QWidget*>{&port, &baudrate, &Button1, &Button2}) {
        panelLayout_.addWidget(control);
    }
    panelLayout_.addStretch(1);
}

void TForm1::BuildSettingsPage() {
    TabSheet1.setObjectName(QStringLiteral("TabSheet1"));
    const std::array<std::pair<QPushButton*, QString>, 4> buttons{{
        {&Button3, tr("Прочитать GPRS с прибора")},
        {&Button4, tr("Записать GPRS в прибор")},
        {&Button5, tr("Открыть GPRS настройки")},
        {&Button6, tr("Сохранить GPRS настройки")},
    }};
    int row = 0;
    for (const auto& [button, caption] : buttons) {
        button->setText(caption);
        settingsLayout_.addWidget(button, row++, 0);
    }
    Button3.setObjectName(QStringLiteral("Button3"));
    Button4.setObjectName(QStringLiteral("Button4"));
    Button5.setObjectName(QStringLiteral("Button5"));
    Button6.setObjectName(QStringLiteral("Button6"));

    BuildSiteGroup();
    Label12.setObjectName(QStringLiteral("Label12"));
    Label12.setText(tr("Точка доступа для всех мобильных операторов Украины - \"internet\""));
    QFont noteFont = Label12.font();
    noteFont.setPointSize(10);
    noteFont.setBold(true);
    Label12.setFont(noteFont);
    Label12.setContentsMargins(0, kSectionGap, 0, kSectionGap);
    BuildSimGroup(1);
    BuildSimGroup(2);

    settingsLayout_.setVerticalSpacing(0);
    settingsLayout_.setRowMinimumHeight(4, kSectionGap);
    settingsLayout_.addWidget(&GroupBox3, 5, 0, 1, 2);
    settingsLayout_.addWidget(&Label12, 6, 0, 1, 3);
    settingsLayout_.addWidget(&GroupBox1, 7, 0, 1, 2);
    settingsLayout_.setRowMinimumHeight(8, kSectionGap);
    settingsLayout_.addWidget(&GroupBox2, 9, 0, 1, 2);
    settingsLayout_.setRowStretch(10, 1);
    settingsLayout_.setColumnStretch(2, 1);
    TabSheet1.setLayout(&settingsLayout_);
}

void TForm1::BuildSiteGroup() {
    GroupBox3.setObjectName(QStringLiteral("GroupBox3"));
    CodObj.setObjectName(QStringLiteral("CodObj"));
    TimePeriod.setObjectName(QStringLiteral("TimePeriod"));
    Edit7.setObjectName(QStringLiteral("Edit7"));
    Edit1.setObjectName(QStringLiteral("Edit1"));
    CheckBox1.setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2.setObjectName(QStringLiteral("CheckBox2"));
    CodObjLabel.setText(tr("Код объекта"));
    CodObjLabel.setBuddy(&CodObj);
    TimePeriodLabel.setText(tr("Период тестовых сообщений"));
    TimePeriodLabel.setBuddy(&TimePeriod);
    TimePeriodRange.setText(tr("1-255 минут"));
    SmsNumbersLabel.setText(tr("Номера для SMS оповещения"));
    Edit7Label.setText(QStringLiteral("1"));
    Edit7Label.setBuddy(&Edit7);
    Edit1Label.setText(QStringLiteral("2"));
    Edit1Label.setBuddy(&Edit1);
    CheckBox1.setText(tr("Активация  SMS режима"));
    CheckBox2.setText(tr("Активация GPRS режима"));

    siteLayout_.addWidget(&CodObjLabel, 0, 0);
    siteLayout_.addWidget(&TimePeriodLabel, 0, 1, 1, 2);
    siteLayout_.addWidget(&CodObj, 1, 0);
    siteLayout_.addWidget(&TimePeriod, 1, 1);
    siteLayout_.addWidget(&TimePeriodRange, 1, 2);
    siteLayout_.addWidget(&SmsNumbersLabel, 2, 1, 1, 2);
    siteLayout_.addWidget(&CheckBox1, 3, 0);
    siteLayout_.addWidget(&Edit7, 3, 1);
    siteLayout_.addWidget(&Edit7Label, 3, 2);
    siteLayout_.addWidget(&CheckBox2, 4, 0);
    siteLayout_.addWidget(&Edit1, 4, 1);
    siteLayout_.addWidget(&Edit1Label, 4, 2);
    siteLayout_.setRowMinimumHeight(2, 2 * kSectionGap);
    siteLayout_.setColumnStretch(3, 1);
    GroupBox3.setLayout(&siteLayout_);
}

void TForm1::BuildSimGroup(int sim) {
    struct TSimControls {
        QGroupBox& Group;
        QGridLayout& Layout;
        QLabel& ApnLabel;
        QLineEdit& Apn;
        QLabel& ServerPortLabel;
        QLineEdit& ServerPort;
        QLabel& LocalPortLabel;
        QLineEdit& LocalPort;
        QLabel& ServerLabel;
        QLineEdit& Server;
        QRadioButton& Tcp;
        QRadioButton& Udp;
    };
    const TSimControls c =
        sim == 1 ? TSimControls{GroupBox1,        sim1Layout_, TochDost1Label,  TochDost1,
                                ServerPort1Label, ServerPort1, LocalPort1Label, LocalPort1,
                                Server1Label,     Server1,     RadioButton1,    RadioButton2}
                 : TSimControls{GroupBox2,        sim2Layout_, TochDost2Label,  TochDost2,
                                ServerPort2Label, ServerPort2, LocalPort2Label, LocalPort2,
                                Server2Label,     Server2,     RadioButton3,    RadioButton4};
    const QString number = QString::number(sim);
    c.Group.setObjectName(QStringLiteral("GroupBox") + number);
    c.Group.setTitle(QStringLiteral("SIM ") + number);
    c.Apn.setObjectName(QStringLiteral("TochDost") + number);
    c.ServerPort.setObjectName(QStringLiteral("ServerPort") + number);
    c.LocalPort.setObjectName(QStringLiteral("LocalPort") + number);
    c.Server.setObjectName(QStringLiteral("Server") + number);
    c.Tcp.setObjectName(QStringLiteral("RadioButton") + QString::number(2 * sim - 1));
    c.Udp.setObjectName(QStringLiteral("RadioButton") + QString::number(2 * sim));
    c.Tcp.setText(QStringLiteral("TCP"));
    c.Udp.setText(QStringLiteral("UDP"));
    c.ApnLabel.setText(tr("Точка доступа"));
    c.ServerPortLabel.setText(tr("Порт сервера"));
    c.LocalPortLabel.setText(tr("Локальный порт"));
    c.ServerLabel.setText(tr("IP адресс сервера %1").arg(number));
    c.ApnLabel.setBuddy(&c.Apn);
    c.ServerPortLabel.setBuddy(&c.ServerPort);
    c.LocalPortLabel.setBuddy(&c.LocalPort);
    c.ServerLabel.setBuddy(&c.Server);

    c.Layout.addWidget(&c.ApnLabel, 0, 0);
    c.Layout.addWidget(&c.ServerPortLabel, 0, 1);
    c.Layout.addWidget(&c.LocalPortLabel, 0, 2);
    c.Layout.addWidget(&c.Apn, 1, 0);
    c.Layout.addWidget(&c.ServerPort, 1, 1);
    c.Layout.addWidget(&c.LocalPort, 1, 2);
    c.Layout.addWidget(&c.ServerLabel, 2, 0);
    c.Layout.addWidget(&c.Server, 3, 0);
    c.Layout.addWidget(&c.Tcp, 3, 1);
    c.Layout.addWidget(&c.Udp, 3, 2);
    c.Layout.setColumnStretch(3, 1);
    c.Group.setLayout(&c.Layout);
}

void TForm1::BuildCodePage() {
    TabSheet2.setObjectName(QStringLiteral("TabSheet2"));
    const std::array<std::pair<QPushButton*, const char*>, 4> buttons{{
        {&Button7, "Button7"},
        {&Button8, "Button8"},
        {&Button9, "Button9"},
        {&Button11, "Button11"},
    }};
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QString::fromLatin1(name));
        button->setParent(&TabSheet2);
    }
    Button7.setText(tr("Записать"));
    Button8.setText(tr("Прочитать"));
    Button9.setText(tr("Записать"));
    Button11.setText(tr("Прочитать"));
    TRowPlacer row;
    row.Place(Button7, 32, 24, 75, 25);
    row.Place(Button8, 120, 24, 75, 25);
    row.Place(Button9, 376, 24, 75, 25);
    row.Place(Button11, 464, 24, 75, 25);

    StringGrid2.setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2.setParent(&TabSheet2);
    StringGrid2.setGeometry(32, 56, 281, 457);
    StringGrid3.setObjectName(QStringLiteral("StringGrid3"));
    StringGrid3.setParent(&TabSheet2);
    StringGrid3.setGeometry(344, 56, 321, 449);
}

void TForm1::BuildJournalPage() {
    TabSheet4.setObjectName(QStringLiteral("TabSheet4"));
    for (QWidget* control :
         std::initializer_list<QWidget*>{&Label31, &Edit6, &Button10, &StringGrid1}) {
        control->setParent(&TabSheet4);
    }
    const QFont pageFont = PixelFont(QStringLiteral("MS Sans Serif"), 13);
    Label31.setObjectName(QStringLiteral("Label31"));
    Label31.setText(tr("Количество событий : 1-255"));
    Label31.setFont(pageFont);
    Label31.setBuddy(&Edit6);
    Edit6.setObjectName(QStringLiteral("Edit6"));
    Edit6.setFont(pageFont);
    Button10.setObjectName(QStringLiteral("Button10"));
    Button10.setText(tr("Прочитать журнал"));
    Button10.setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    TRowPlacer row;
    row.Place(Label31, 168, 32, 177, 16);
    row.Place(Edit6, 368, 24, 65, 24);
    row.Place(Button10, 464, 24, 121, 25);
    StringGrid1.setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1.setGeometry(64, 56, 577, 457);
}

void TForm1::SetDesignValues() {
    const TMemorySettingsStore defaults;
    for (const TTextFieldInfo& field : TextFields) {
        settingsStore_.SetText(field.Field, defaults.Text(field.Field));
    }
    settingsStore_.SetSmsMode(defaults.SmsMode());
    settingsStore_.SetGprsMode(defaults.GprsMode());
    settingsStore_.SetTransport(TSim::Sim1, defaults.Transport(TSim::Sim1));
    settingsStore_.SetTransport(TSim::Sim2, defaults.Transport(TSim::Sim2));
    Edit6.setText(QString::fromUtf8(kInitialJournalCount));
}

void TForm1::SetTabOrder() {
    const std::array<QWidget*, 35> order{
        &Button3,     &Button4,      &Button5,      &Button6,     &CodObj,    &TimePeriod,
        &Edit7,       &CheckBox1,    &Edit1,        &CheckBox2,   &TochDost1, &ServerPort1,
        &LocalPort1,  &RadioButton1, &RadioButton2, &Server1,     &TochDost2, &ServerPort2,
        &LocalPort2,  &RadioButton3, &RadioButton4, &Server2,     &Button7,   &Button8,
        &Button9,     &Button11,     &StringGrid2,  &StringGrid3, &Edit6,     &Button10,
        &StringGrid1, &port,         &baudrate,     &Button1,     &Button2,
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void TForm1::SetAccessibleNames() {
    port.setAccessibleName(tr("Порт"));
    baudrate.setAccessibleName(tr("Скорость"));
    PageControl1.setAccessibleName(tr("Страницы"));
    ProgressBar1.setAccessibleName(tr("Ход обмена"));
    StringGrid2.setAccessibleName(tr("Коды событий"));
    StringGrid3.setAccessibleName(tr("Коды восстановления"));
    StringGrid1.setAccessibleName(tr("Журнал событий"));
    GroupBox3.setAccessibleName(tr("Объект"));
    GroupBox1.setAccessibleName(GroupBox1.title());
    GroupBox2.setAccessibleName(GroupBox2.title());
    Edit6.setAccessibleName(Label31.text());
    for (const TTextFieldInfo& field : TextFields) {
        settingsStore_.Edit(field.Field)
            .setAccessibleName(TranslateCoreText(
                QString::fromUtf8(field.Label.data(), static_cast<qsizetype>(field.Label.size()))));
    }
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        button->setAccessibleName(button->text());
    }
    RadioButton1.setAccessibleName(QStringLiteral("TCP (SIM 1)"));
    RadioButton2.setAccessibleName(QStringLiteral("UDP (SIM 1)"));
    RadioButton3.setAccessibleName(QStringLiteral("TCP (SIM 2)"));
    RadioButton4.setAccessibleName(QStringLiteral("UDP (SIM 2)"));
    Button7.setAccessibleName(tr("Записать коды событий"));
    Button8.setAccessibleName(tr("Прочитать коды событий"));
    Button9.setAccessibleName(tr("Записать коды восстановления"));
    Button11.setAccessibleName(tr("Прочитать коды восстановления"));
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

// The line monitor wakes the window from its own thread when a synchronised delivery waits; the
// delivery then runs on the window's thread, but never inside an exchange's waits.
void TForm1::InstallSyncWakeup() {
    SerialPort1.SetSyncWakeup([this] {
        QMetaObject::invokeMethod(this, &TForm1::ServiceSyncCalls, Qt::QueuedConnection);
    });
}

void TForm1::ServiceSyncCalls() {
    if (busy_) {
        syncCallsHeld_ = true;
        return;
    }
    SerialPort1.ServiceSyncCalls();
}

void TForm1::RunHandler(const std::function<void()>& body) {
    if (busy_) {
        return;
    }
    busy_ = true;
    std::optional<QString> error;
    std::optional<QString> warning;
    try {
        body();
    } catch (const ECodeTableInvalid& invalid) {
        warning = TranslateCoreText(QString::fromUtf8(invalid.what()));
    } catch (const std::exception& failure) {
        error = TranslateCoreText(QString::fromUtf8(failure.what()));
    } catch (...) {
        error = tr("Неизвестная ошибка");
    }
    EndHandler();
    if (warning) {
        ShowValidationWarning(*warning);
    }
    if (error) {
        ShowError(*error);
    }
    if (closeHeld_) {
        closeHeld_ = false;
        close();
    }
}

void TForm1::EndHandler() {
    busy_ = false;
    if (syncCallsHeld_) {
        syncCallsHeld_ = false;
        ServiceSyncCalls();
    }
}

// A close asked for during an exchange waits for its end, as every other input does.
void TForm1::closeEvent(QCloseEvent* event) {
    if (busy_) {
        closeHeld_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::FormCreate() {
    RunHandler([this] {
        std::vector<TPortEntry> ports;
        services_.ListPorts(ports);
        FillPortList(ports);
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

void TForm1::FillPortList(const std::vector<TPortEntry>& entries) {
    port.clear();
    for (const TPortEntry& entry : entries) {
        port.addItem(QString::fromStdString(entry.Name));
        if (!entry.Description.empty()) {
            port.setItemData(port.count() - 1,
                             TranslateCoreText(QString::fromStdString(entry.Description)),
                             Qt::ToolTipRole);
        }
    }
}

// A list that cannot be read now stays as it was; start-up has shown why, and a name can be typed.
void TForm1::RefreshPortList() {
    std::vector<TPortEntry> entries;
    try {
        services_.ListPorts(entries);
    } catch (const std::exception&) {
        return;
    }
    const QString text = port.currentText();
    FillPortList(entries);
    const int index = port.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        port.setCurrentIndex(index);
    } else {
        port.setEditText(text);
    }
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
    RunHandler([this] {
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

// Ends disconnected whatever closing reported; an error from it is shown after.
void TForm1::Button2Click() {
    RunHandler([this] {
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
    RunHandler([this] { ReadSettings(link_, settingsStore_); });
}

void TForm1::Button4Click() {
    RunHandler([this] { WriteSettings(link_, settingsStore_); });
}

void TForm1::PrepareOpenDialog() {
    if (OpenDialog1) {
        return;
    }
    OpenDialog1.emplace(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setWindowTitle(QString::fromUtf8(kOpenTitle));
    OpenDialog1->setDirectory(QString::fromStdString(services_.SettingsDirectory));
    OpenDialog1->setNameFilter(QString::fromUtf8(kSettingsFilter));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    OpenDialog1->setSizeGripEnabled(true);
}

void TForm1::Button5Click() {
    RunHandler([this] {
        PrepareOpenDialog();
        if (services_.Modal->Exec(*OpenDialog1) != QDialog::Accepted ||
            OpenDialog1->selectedFiles().isEmpty()) {
            return;
        }
        OpenSettingsFile(settingsStore_, services_.SettingsDirectory,
                         OpenDialog1->selectedFiles().constFirst().toStdString());
        ShowConfirmation(tr("Открыто успешно."));
    });
}

void TForm1::Button6Click() {
    RunHandler([this] {
        // Made before the dialog so that it can start there; one that cannot be made shows as the
        // file that cannot be written.
        MakeDirectories(services_.SettingsDirectory);
        const QString folder = services_.SettingsInProgramDirectory
                                   ? QDir::currentPath()
                                   : QString::fromStdString(services_.SettingsDirectory);
        QFileDialog dialog(this, QString::fromUtf8(kSaveTitle), folder,
                           QString::fromUtf8(kSettingsFilter));
        dialog.setObjectName(QStringLiteral("SaveDialog1"));
        dialog.selectNameFilter(QString::fromUtf8(kSettingsFilter));
        dialog.setDefaultSuffix(QStringLiteral("ini"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The file written is the one of that name in the program directory: the question about
        // replacing it is asked there, not about a file of the folder the dialog shows.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setSizeGripEnabled(true);
        if (services_.Modal->Exec(dialog) != QDialog::Accepted ||
            dialog.selectedFiles().isEmpty()) {
            return;
        }
        const bool saved =
            SaveSettingsFile(settingsStore_, services_.SettingsDirectory,
                             dialog.selectedFiles().constFirst().toStdString(),
                             [this](const std::string& path) { return ConfirmReplace(path); });
        if (saved) {
            ShowConfirmation(tr("Сохранено успешно."));
        }
    });
}

bool TForm1::ConfirmReplace(const std::string& path) {
    const auto box = MakeReplaceQuestion(QString::fromStdString(path), this);
    return services_.Modal->Exec(*box) == QMessageBox::Yes;
}

void TForm1::Button7Click() {
    RunHandler([this] { UploadCodeTable(link_, eventCodes_); });
}

void TForm1::Button8Click() {
    RunHandler([this] { DownloadCodeTable(link_, eventCodes_); });
}

void TForm1::Button9Click() {
    RunHandler([this] { UploadCodeTable(link_, restoreCodes_); });
}

void TForm1::Button11Click() {
    RunHandler([this] { DownloadCodeTable(link_, restoreCodes_); });
}

void TForm1::Button10Click() {
    RunHandler([this] { DownloadJournal(link_, StringGrid1, ToWindows1251(Edit6.text())); });
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
