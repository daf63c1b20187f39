#include "ui/Form1Design.h"

#include <QEvent>
#include <QScreen>
#include <array>
#include <memory>
#include <utility>

#include "protocol/DownloadJournal.h"
#include "serial/LineSpeeds.h"
#include "ui/CoreTextTranslator.h"
#include "ui/Form1.h"
#include "ui/RowPlacer.h"

namespace {

// Outer size 811 by 692 less a typical frame.
constexpr int kWindowWidth = 795;
constexpr int kWindowHeight = 654;
const QSize kFrameAllowance(811 - kWindowWidth, 692 - kWindowHeight);
constexpr int kPagesWidth = 689;
constexpr int kPagesHeight = 609;
constexpr int kSectionGap = 8;
// Room for a device path such as /dev/ttyUSB0 in the port list.
constexpr int kPortNameLength = 12;

// The line edit setEditable would make, without the drop-down list and the size setEditable also
// computes at once: the layout sizes the box, and the list is built when first opened.
void MakeEditable(QComboBox& box) {
    box.setLineEdit(std::make_unique<QLineEdit>().release());
}

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

TForm1Design::TForm1Design(TLimitedEdits edits)
    : CodObjLimit(edits.CodObj, FieldInfo(TTextField::ObjectCode).InputLimit),
      TimePeriodLimit(edits.TimePeriod, FieldInfo(TTextField::TestPeriod).InputLimit),
      LocalPort1Limit(edits.LocalPort1, FieldInfo(TTextField::Sim1LocalPort).InputLimit),
      LocalPort2Limit(edits.LocalPort2, FieldInfo(TTextField::Sim2LocalPort).InputLimit),
      Edit6Limit(edits.Edit6, kJournalCountLength) {}

void TForm1Design::SizeOnFirstShow(QWidget& page, std::function<void()> sizing) {
    sizedPage_ = &page;
    pageSizing_ = std::move(sizing);
    page.installEventFilter(this);
}

// The page's Show comes after its children's and before anything of it is painted.
bool TForm1Design::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sizedPage_ && event->type() == QEvent::Show) {
        watched->removeEventFilter(this);
        sizedPage_ = nullptr;
        std::exchange(pageSizing_, nullptr)();
    }
    return false;
}

// What follows is the form's own: it lays out the window's controls.

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
    PagesArea.setWidget(&PageControl1);
    PagesArea.setMaximumSize(PagesArea.sizeHint());

    design_.FormLayout.addLayout(&design_.PanelLayout, 0, 0);
    design_.FormLayout.addWidget(&PagesArea, 0, 1);
    design_.FormLayout.addWidget(&ProgressBar1, 1, 1);
    design_.FormLayout.setColumnStretch(2, 1);
    design_.FormLayout.setRowStretch(2, 1);
    Central.setLayout(&design_.FormLayout);
    setCentralWidget(&Central);
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
    MakeEditable(port);
    port.setInsertPolicy(QComboBox::NoInsert);
    port.setMinimumContentsLength(kPortNameLength);
    port.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    baudrate.setObjectName(QStringLiteral("baudrate"));
    MakeEditable(baudrate);
    baudrate.setInsertPolicy(QComboBox::NoInsert);
    for (const uint32_t speed : kLineSpeeds) {
        baudrate.addItem(QString::number(speed));
    }
    Button1.setObjectName(QStringLiteral("Button1"));
    Button1.setText(tr("Подключить"));
    Button2.setObjectName(QStringLiteral("Button2"));
    Button2.setText(tr("Отключить"));
    for (QWidget* control : std::initializer_list<QWidget*>{&port, &baudrate, &Button1, &Button2}) {
        design_.PanelLayout.addWidget(control);
    }
    design_.PanelLayout.addStretch(1);
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
        design_.SettingsLayout.addWidget(button, row++, 0);
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

    design_.SettingsLayout.setVerticalSpacing(0);
    design_.SettingsLayout.setRowMinimumHeight(4, kSectionGap);
    design_.SettingsLayout.addWidget(&GroupBox3, 5, 0, 1, 2);
    design_.SettingsLayout.addWidget(&Label12, 6, 0, 1, 3);
    design_.SettingsLayout.addWidget(&GroupBox1, 7, 0, 1, 2);
    design_.SettingsLayout.setRowMinimumHeight(8, kSectionGap);
    design_.SettingsLayout.addWidget(&GroupBox2, 9, 0, 1, 2);
    design_.SettingsLayout.setRowStretch(10, 1);
    design_.SettingsLayout.setColumnStretch(2, 1);
    TabSheet1.setLayout(&design_.SettingsLayout);
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

    design_.SiteLayout.addWidget(&CodObjLabel, 0, 0);
    design_.SiteLayout.addWidget(&TimePeriodLabel, 0, 1, 1, 2);
    design_.SiteLayout.addWidget(&CodObj, 1, 0);
    design_.SiteLayout.addWidget(&TimePeriod, 1, 1);
    design_.SiteLayout.addWidget(&TimePeriodRange, 1, 2);
    design_.SiteLayout.addWidget(&SmsNumbersLabel, 2, 1, 1, 2);
    design_.SiteLayout.addWidget(&CheckBox1, 3, 0);
    design_.SiteLayout.addWidget(&Edit7, 3, 1);
    design_.SiteLayout.addWidget(&Edit7Label, 3, 2);
    design_.SiteLayout.addWidget(&CheckBox2, 4, 0);
    design_.SiteLayout.addWidget(&Edit1, 4, 1);
    design_.SiteLayout.addWidget(&Edit1Label, 4, 2);
    design_.SiteLayout.setRowMinimumHeight(2, 2 * kSectionGap);
    design_.SiteLayout.setColumnStretch(3, 1);
    GroupBox3.setLayout(&design_.SiteLayout);
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
    const TSimControls c = sim == 1
                               ? TSimControls{GroupBox1,       design_.Sim1Layout, TochDost1Label,
                                              TochDost1,       ServerPort1Label,   ServerPort1,
                                              LocalPort1Label, LocalPort1,         Server1Label,
                                              Server1,         RadioButton1,       RadioButton2}
                               : TSimControls{GroupBox2,       design_.Sim2Layout, TochDost2Label,
                                              TochDost2,       ServerPort2Label,   ServerPort2,
                                              LocalPort2Label, LocalPort2,         Server2Label,
                                              Server2,         RadioButton3,       RadioButton4};
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
    Label31.setObjectName(QStringLiteral("Label31"));
    Label31.setText(tr("Количество событий : 1-255"));
    Label31.setBuddy(&Edit6);
    Edit6.setObjectName(QStringLiteral("Edit6"));
    Button10.setObjectName(QStringLiteral("Button10"));
    Button10.setText(tr("Прочитать журнал"));
    design_.SizeOnFirstShow(TabSheet4, [this] {
        const QFont pageFont = PixelFont(QStringLiteral("MS Sans Serif"), 13);
        Label31.setFont(pageFont);
        Edit6.setFont(pageFont);
        Button10.setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
        TRowPlacer row;
        row.Place(Label31, 168, 32, 177, 16);
        row.Place(Edit6, 368, 24, 65, 24);
        row.Place(Button10, 464, 24, 121, 25);
    });
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
