#include "ui/Form1Design.h"

#include <QScreen>
#include <array>

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

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

TForm1Design::TForm1Design(TForm1& form, TForm1Frame& frame, TSettingsPageStore& store)
    : form_(form),
      frame_(frame),
      store_(store),
      codObjLimit_(form.CodObj, FieldInfo(TTextField::ObjectCode).InputLimit),
      timePeriodLimit_(form.TimePeriod, FieldInfo(TTextField::TestPeriod).InputLimit),
      localPort1Limit_(form.LocalPort1, FieldInfo(TTextField::Sim1LocalPort).InputLimit),
      localPort2Limit_(form.LocalPort2, FieldInfo(TTextField::Sim2LocalPort).InputLimit),
      edit6Limit_(form.Edit6, kJournalCountLength) {
    BuildWindow();
    SetDesignValues();
    SetTabOrder();
    SetAccessibleNames();
}

void TForm1Design::BuildWindow() {
    form_.setObjectName(QStringLiteral("Form1"));
    form_.setWindowTitle(TForm1::tr(TForm1::CaptionSource));
    BuildConnectionPanel();
    BuildSettingsPage();
    BuildCodePage();
    BuildJournalPage();

    form_.PageControl1.setObjectName(QStringLiteral("PageControl1"));
    form_.PageControl1.addTab(&form_.TabSheet1, QStringLiteral("GPRS"));
    form_.PageControl1.addTab(&form_.TabSheet2, tr("Коды событий"));
    form_.PageControl1.addTab(&form_.TabSheet4, tr("Журнал Событий"));
    form_.PageControl1.setTabVisible(form_.PageControl1.indexOf(&form_.TabSheet4), false);
    form_.PageControl1.setCurrentWidget(&form_.TabSheet1);
    form_.PageControl1.setMinimumSize(kPagesWidth, kPagesHeight);
    form_.PageControl1.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    form_.ProgressBar1.setObjectName(QStringLiteral("ProgressBar1"));
    frame_.PagesArea.setWidget(&form_.PageControl1);
    frame_.PagesArea.setMaximumSize(frame_.PagesArea.sizeHint());

    formLayout_.addLayout(&panelLayout_, 0, 0);
    formLayout_.addWidget(&frame_.PagesArea, 0, 1);
    formLayout_.addWidget(&form_.ProgressBar1, 1, 1);
    formLayout_.setColumnStretch(2, 1);
    formLayout_.setRowStretch(2, 1);
    frame_.Central.setLayout(&formLayout_);
    form_.setCentralWidget(&frame_.Central);
    FitToScreen();
}

// The designed size, unless the screen has less room: then the window takes what there is, and
// the pages scroll inside it while the connection panel and the progress bar stay in view.
void TForm1Design::FitToScreen() {
    QSize wanted = QSize(kWindowWidth, kWindowHeight).expandedTo(form_.sizeHint());
    if (const QScreen* shown = form_.screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() - kFrameAllowance);
    }
    form_.resize(wanted);
}

void TForm1Design::BuildConnectionPanel() {
    form_.port.setObjectName(QStringLiteral("port"));
    form_.port.setEditable(true);
    form_.port.setInsertPolicy(QComboBox::NoInsert);
    form_.port.setMinimumContentsLength(kPortNameLength);
    form_.port.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    form_.baudrate.setObjectName(QStringLiteral("baudrate"));
    form_.baudrate.setEditable(true);
    form_.baudrate.setInsertPolicy(QComboBox::NoInsert);
    for (const uint32_t speed : kLineSpeeds) {
        form_.baudrate.addItem(QString::number(speed));
    }
    form_.Button1.setObjectName(QStringLiteral("Button1"));
    form_.Button1.setText(tr("Подключить"));
    form_.Button2.setObjectName(QStringLiteral("Button2"));
    form_.Button2.setText(tr("Отключить"));
    for (QWidget* control : std::initializer_list<QWidget*>{&form_.port, &form_.baudrate,
                                                            &form_.Button1, &form_.Button2}) {
        panelLayout_.addWidget(control);
    }
    panelLayout_.addStretch(1);
}

void TForm1Design::BuildSettingsPage() {
    form_.TabSheet1.setObjectName(QStringLiteral("TabSheet1"));
    const std::array<std::pair<QPushButton*, QString>, 4> buttons{{
        {&form_.Button3, tr("Прочитать GPRS с прибора")},
        {&form_.Button4, tr("Записать GPRS в прибор")},
        {&form_.Button5, tr("Открыть GPRS настройки")},
        {&form_.Button6, tr("Сохранить GPRS настройки")},
    }};
    int row = 0;
    for (const auto& [button, caption] : buttons) {
        button->setText(caption);
        settingsLayout_.addWidget(button, row++, 0);
    }
    form_.Button3.setObjectName(QStringLiteral("Button3"));
    form_.Button4.setObjectName(QStringLiteral("Button4"));
    form_.Button5.setObjectName(QStringLiteral("Button5"));
    form_.Button6.setObjectName(QStringLiteral("Button6"));

    BuildSiteGroup();
    form_.Label12.setObjectName(QStringLiteral("Label12"));
    form_.Label12.setText(tr("Точка доступа для всех мобильных операторов Украины - \"internet\""));
    QFont noteFont = form_.Label12.font();
    noteFont.setPointSize(10);
    noteFont.setBold(true);
    form_.Label12.setFont(noteFont);
    form_.Label12.setContentsMargins(0, kSectionGap, 0, kSectionGap);
    BuildSimGroup(1);
    BuildSimGroup(2);

    settingsLayout_.setVerticalSpacing(0);
    settingsLayout_.setRowMinimumHeight(4, kSectionGap);
    settingsLayout_.addWidget(&form_.GroupBox3, 5, 0, 1, 2);
    settingsLayout_.addWidget(&form_.Label12, 6, 0, 1, 3);
    settingsLayout_.addWidget(&form_.GroupBox1, 7, 0, 1, 2);
    settingsLayout_.setRowMinimumHeight(8, kSectionGap);
    settingsLayout_.addWidget(&form_.GroupBox2, 9, 0, 1, 2);
    settingsLayout_.setRowStretch(10, 1);
    settingsLayout_.setColumnStretch(2, 1);
    form_.TabSheet1.setLayout(&settingsLayout_);
}

void TForm1Design::BuildSiteGroup() {
    form_.GroupBox3.setObjectName(QStringLiteral("GroupBox3"));
    form_.CodObj.setObjectName(QStringLiteral("CodObj"));
    form_.TimePeriod.setObjectName(QStringLiteral("TimePeriod"));
    form_.Edit7.setObjectName(QStringLiteral("Edit7"));
    form_.Edit1.setObjectName(QStringLiteral("Edit1"));
    form_.CheckBox1.setObjectName(QStringLiteral("CheckBox1"));
    form_.CheckBox2.setObjectName(QStringLiteral("CheckBox2"));
    form_.CodObjLabel.setText(tr("Код объекта"));
    form_.CodObjLabel.setBuddy(&form_.CodObj);
    form_.TimePeriodLabel.setText(tr("Период тестовых сообщений"));
    form_.TimePeriodLabel.setBuddy(&form_.TimePeriod);
    form_.TimePeriodRange.setText(tr("1-255 минут"));
    form_.SmsNumbersLabel.setText(tr("Номера для SMS оповещения"));
    form_.Edit7Label.setText(QStringLiteral("1"));
    form_.Edit7Label.setBuddy(&form_.Edit7);
    form_.Edit1Label.setText(QStringLiteral("2"));
    form_.Edit1Label.setBuddy(&form_.Edit1);
    form_.CheckBox1.setText(tr("Активация  SMS режима"));
    form_.CheckBox2.setText(tr("Активация GPRS режима"));

    siteLayout_.addWidget(&form_.CodObjLabel, 0, 0);
    siteLayout_.addWidget(&form_.TimePeriodLabel, 0, 1, 1, 2);
    siteLayout_.addWidget(&form_.CodObj, 1, 0);
    siteLayout_.addWidget(&form_.TimePeriod, 1, 1);
    siteLayout_.addWidget(&form_.TimePeriodRange, 1, 2);
    siteLayout_.addWidget(&form_.SmsNumbersLabel, 2, 1, 1, 2);
    siteLayout_.addWidget(&form_.CheckBox1, 3, 0);
    siteLayout_.addWidget(&form_.Edit7, 3, 1);
    siteLayout_.addWidget(&form_.Edit7Label, 3, 2);
    siteLayout_.addWidget(&form_.CheckBox2, 4, 0);
    siteLayout_.addWidget(&form_.Edit1, 4, 1);
    siteLayout_.addWidget(&form_.Edit1Label, 4, 2);
    siteLayout_.setRowMinimumHeight(2, 2 * kSectionGap);
    siteLayout_.setColumnStretch(3, 1);
    form_.GroupBox3.setLayout(&siteLayout_);
}

void TForm1Design::BuildSimGroup(int sim) {
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
    const TSimControls c = sim == 1 ? TSimControls{form_.GroupBox1,        sim1Layout_,
                                                   form_.TochDost1Label,   form_.TochDost1,
                                                   form_.ServerPort1Label, form_.ServerPort1,
                                                   form_.LocalPort1Label,  form_.LocalPort1,
                                                   form_.Server1Label,     form_.Server1,
                                                   form_.RadioButton1,     form_.RadioButton2}
                                    : TSimControls{form_.GroupBox2,        sim2Layout_,
                                                   form_.TochDost2Label,   form_.TochDost2,
                                                   form_.ServerPort2Label, form_.ServerPort2,
                                                   form_.LocalPort2Label,  form_.LocalPort2,
                                                   form_.Server2Label,     form_.Server2,
                                                   form_.RadioButton3,     form_.RadioButton4};
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

void TForm1Design::BuildCodePage() {
    form_.TabSheet2.setObjectName(QStringLiteral("TabSheet2"));
    const std::array<std::pair<QPushButton*, const char*>, 4> buttons{{
        {&form_.Button7, "Button7"},
        {&form_.Button8, "Button8"},
        {&form_.Button9, "Button9"},
        {&form_.Button11, "Button11"},
    }};
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QString::fromLatin1(name));
        button->setParent(&form_.TabSheet2);
    }
    form_.Button7.setText(tr("Записать"));
    form_.Button8.setText(tr("Прочитать"));
    form_.Button9.setText(tr("Записать"));
    form_.Button11.setText(tr("Прочитать"));
    TRowPlacer row;
    row.Place(form_.Button7, 32, 24, 75, 25);
    row.Place(form_.Button8, 120, 24, 75, 25);
    row.Place(form_.Button9, 376, 24, 75, 25);
    row.Place(form_.Button11, 464, 24, 75, 25);

    form_.StringGrid2.setObjectName(QStringLiteral("StringGrid2"));
    form_.StringGrid2.setParent(&form_.TabSheet2);
    form_.StringGrid2.setGeometry(32, 56, 281, 457);
    form_.StringGrid3.setObjectName(QStringLiteral("StringGrid3"));
    form_.StringGrid3.setParent(&form_.TabSheet2);
    form_.StringGrid3.setGeometry(344, 56, 321, 449);
}

void TForm1Design::BuildJournalPage() {
    form_.TabSheet4.setObjectName(QStringLiteral("TabSheet4"));
    for (QWidget* control : std::initializer_list<QWidget*>{&form_.Label31, &form_.Edit6,
                                                            &form_.Button10, &form_.StringGrid1}) {
        control->setParent(&form_.TabSheet4);
    }
    const QFont pageFont = PixelFont(QStringLiteral("MS Sans Serif"), 13);
    form_.Label31.setObjectName(QStringLiteral("Label31"));
    form_.Label31.setText(tr("Количество событий : 1-255"));
    form_.Label31.setFont(pageFont);
    form_.Label31.setBuddy(&form_.Edit6);
    form_.Edit6.setObjectName(QStringLiteral("Edit6"));
    form_.Edit6.setFont(pageFont);
    form_.Button10.setObjectName(QStringLiteral("Button10"));
    form_.Button10.setText(tr("Прочитать журнал"));
    form_.Button10.setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    TRowPlacer row;
    row.Place(form_.Label31, 168, 32, 177, 16);
    row.Place(form_.Edit6, 368, 24, 65, 24);
    row.Place(form_.Button10, 464, 24, 121, 25);
    form_.StringGrid1.setObjectName(QStringLiteral("StringGrid1"));
    form_.StringGrid1.setGeometry(64, 56, 577, 457);
}

void TForm1Design::SetDesignValues() {
    const TMemorySettingsStore defaults;
    for (const TTextFieldInfo& field : TextFields) {
        store_.SetText(field.Field, defaults.Text(field.Field));
    }
    store_.SetSmsMode(defaults.SmsMode());
    store_.SetGprsMode(defaults.GprsMode());
    store_.SetTransport(TSim::Sim1, defaults.Transport(TSim::Sim1));
    store_.SetTransport(TSim::Sim2, defaults.Transport(TSim::Sim2));
    form_.Edit6.setText(QString::fromUtf8(kInitialJournalCount));
}

void TForm1Design::SetTabOrder() {
    const std::array<QWidget*, 35> order{
        &form_.Button3,      &form_.Button4,      &form_.Button5,      &form_.Button6,
        &form_.CodObj,       &form_.TimePeriod,   &form_.Edit7,        &form_.CheckBox1,
        &form_.Edit1,        &form_.CheckBox2,    &form_.TochDost1,    &form_.ServerPort1,
        &form_.LocalPort1,   &form_.RadioButton1, &form_.RadioButton2, &form_.Server1,
        &form_.TochDost2,    &form_.ServerPort2,  &form_.LocalPort2,   &form_.RadioButton3,
        &form_.RadioButton4, &form_.Server2,      &form_.Button7,      &form_.Button8,
        &form_.Button9,      &form_.Button11,     &form_.StringGrid2,  &form_.StringGrid3,
        &form_.Edit6,        &form_.Button10,     &form_.StringGrid1,  &form_.port,
        &form_.baudrate,     &form_.Button1,      &form_.Button2,
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void TForm1Design::SetAccessibleNames() {
    form_.port.setAccessibleName(tr("Порт"));
    form_.baudrate.setAccessibleName(tr("Скорость"));
    form_.PageControl1.setAccessibleName(tr("Страницы"));
    form_.ProgressBar1.setAccessibleName(tr("Ход обмена"));
    form_.StringGrid2.setAccessibleName(tr("Коды событий"));
    form_.StringGrid3.setAccessibleName(tr("Коды восстановления"));
    form_.StringGrid1.setAccessibleName(tr("Журнал событий"));
    form_.GroupBox3.setAccessibleName(tr("Объект"));
    form_.GroupBox1.setAccessibleName(form_.GroupBox1.title());
    form_.GroupBox2.setAccessibleName(form_.GroupBox2.title());
    form_.Edit6.setAccessibleName(form_.Label31.text());
    for (const TTextFieldInfo& field : TextFields) {
        store_.Edit(field.Field)
            .setAccessibleName(TranslateCoreText(
                QString::fromUtf8(field.Label.data(), static_cast<qsizetype>(field.Label.size()))));
    }
    for (QAbstractButton* button : form_.findChildren<QAbstractButton*>()) {
        button->setAccessibleName(button->text());
    }
    form_.RadioButton1.setAccessibleName(QStringLiteral("TCP (SIM 1)"));
    form_.RadioButton2.setAccessibleName(QStringLiteral("UDP (SIM 1)"));
    form_.RadioButton3.setAccessibleName(QStringLiteral("TCP (SIM 2)"));
    form_.RadioButton4.setAccessibleName(QStringLiteral("UDP (SIM 2)"));
    form_.Button7.setAccessibleName(tr("Записать коды событий"));
    form_.Button8.setAccessibleName(tr("Прочитать коды событий"));
    form_.Button9.setAccessibleName(tr("Записать коды восстановления"));
    form_.Button11.setAccessibleName(tr("Прочитать коды восстановления"));
}
