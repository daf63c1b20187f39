#include "protocol/WriteSettings.h"

#include <array>
#include <cstdint>

#include "protocol/EInvalidSetting.h"
#include "protocol/Frames.h"
#include "protocol/StrToInt.h"

namespace {

constexpr int32_t kOpeningFlushSize = 500;
constexpr int32_t kClosingFlushSize = 200;

struct TTextSetting {
    char Letter;
    TTextField Field;
};

// In the order sent; the last one goes without a progress step.
constexpr std::array<TTextSetting, 11> kTextSettings = {{
    {'S', TTextField::Sim1ServerAddress},
    {'s', TTextField::Sim2ServerAddress},
    {'O', TTextField::ObjectCode},
    {'T', TTextField::Sim1Apn},
    {'t', TTextField::Sim2Apn},
    {'L', TTextField::Sim1LocalPort},
    {'l', TTextField::Sim2LocalPort},
    {'P', TTextField::Sim1ServerPort},
    {'p', TTextField::Sim2ServerPort},
    {'M', TTextField::SmsNumber1},
    {'m', TTextField::SmsNumber2},
}};

// The values of the store when the write starts, in the shape they travel in.
struct TWriteValues {
    std::array<ByteString, kTextSettings.size()> Texts;
    bool SmsMode = false;
    bool GprsMode = false;
    TTransport Sim1Transport = TTransport::TCP;
    TTransport Sim2Transport = TTransport::TCP;
    ByteString PeriodText;
};

TWriteValues TakeValues(const TSettingsStore& settings) {
    TWriteValues values;
    for (std::size_t i = 0; i < kTextSettings.size(); ++i) {
        values.Texts[i] = settings.Text(kTextSettings[i].Field);
    }
    values.PeriodText = settings.Text(TTextField::TestPeriod);
    values.SmsMode = settings.SmsMode();
    values.GprsMode = settings.GprsMode();
    values.Sim1Transport = settings.Transport(TSim::Sim1);
    values.Sim2Transport = settings.Transport(TSim::Sim2);
    return values;
}

// Only the low 8 bits of the period travel; two's complement for a negative one.
uint8_t ConvertPeriod(const ByteString& text) {
    return static_cast<uint8_t>(StrToInt(text));
}

// A ";" would end the frame early and the rest of the text would reach the panel as a command.
void CheckTexts(const TWriteValues& values) {
    for (std::size_t i = 0; i < kTextSettings.size(); ++i) {
        if (values.Texts[i].find(kFrameEnd) != ByteString::npos) {
            throw EInvalidSetting("Поле «" + std::string(FieldInfo(kTextSettings[i].Field).Label) +
                                  "» содержит символ «;», который прибор принимает за конец "
                                  "команды. Настройки не записаны в прибор.");
        }
    }
}

void SendAndWait(TDeviceLink& link, const ByteString& frame) {
    link.SendCommand(frame);
    link.Clock().Sleep(kSettingWait);
}

void SendTextSettings(TDeviceLink& link, const TWriteValues& values) {
    const std::size_t last = kTextSettings.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        link.SendSetting(TextSettingFrame(kTextSettings[i].Letter, values.Texts[i]));
    }
    SendAndWait(link, TextSettingFrame(kTextSettings[last].Letter, values.Texts[last]));
}

void SendModesAndTransports(TDeviceLink& link, const TWriteValues& values) {
    SendAndWait(link, ByteSettingFrame('z', values.SmsMode ? 1 : 0));
    SendAndWait(link, ByteSettingFrame('g', values.GprsMode ? 1 : 0));
    SendAndWait(link, ByteSettingFrame('N', static_cast<uint8_t>(values.Sim1Transport)));
    link.AdvanceProgress();
    SendAndWait(link, ByteSettingFrame('n', static_cast<uint8_t>(values.Sim2Transport)));
}

}  // namespace

void WriteSettings(TDeviceLink& link, const TSettingsStore& settings) {
    const TWriteValues values = TakeValues(settings);
    const uint8_t period = ConvertPeriod(values.PeriodText);
    CheckTexts(values);

    link.FlushInput(link.ReplyBuffer, kOpeningFlushSize);
    link.Progress().SetPosition(5);
    SendTextSettings(link, values);
    SendModesAndTransports(link, values);
    link.Progress().SetPosition(100);
    SendAndWait(link, ByteSettingFrame('q', period));
    SendAndWait(link, kCommitFrame);
    link.FlushInput(link.ReplyBuffer, kClosingFlushSize);
    link.Progress().SetPosition(0);
}
