#include "settings/GprsSettings.h"

#include <stdexcept>

const std::array<TTextFieldInfo, 12> TextFields{{
    {TTextField::ObjectCode, "ObjectCode", "CodObj", 4, "Код объекта"},
    {TTextField::TestPeriod, "TestPeriod", "TimePeriod", 3, "Период тестовых сообщений"},
    {TTextField::SmsNumber1, "SmsNumber1", "Edit7", 0, "Номера для SMS оповещения (1)"},
    {TTextField::SmsNumber2, "SmsNumber2", "Edit1", 0, "Номера для SMS оповещения (2)"},
    {TTextField::Sim1Apn, "Sim1.Apn", "TochDost1", 0, "Точка доступа (SIM 1)"},
    {TTextField::Sim1ServerAddress, "Sim1.ServerAddress", "Server1", 0, "IP адресс сервера 1"},
    {TTextField::Sim1LocalPort, "Sim1.LocalPort", "LocalPort1", 5, "Локальный порт (SIM 1)"},
    {TTextField::Sim1ServerPort, "Sim1.ServerPort", "ServerPort1", 0, "Порт сервера (SIM 1)"},
    {TTextField::Sim2Apn, "Sim2.Apn", "TochDost2", 0, "Точка доступа (SIM 2)"},
    {TTextField::Sim2ServerAddress, "Sim2.ServerAddress", "Server2", 0, "IP адресс сервера 2"},
    {TTextField::Sim2LocalPort, "Sim2.LocalPort", "LocalPort2", 5, "Локальный порт (SIM 2)"},
    {TTextField::Sim2ServerPort, "Sim2.ServerPort", "ServerPort2", 0, "Порт сервера (SIM 2)"},
}};

const TTextFieldInfo& FieldInfo(TTextField field) {
    for (const TTextFieldInfo& info : TextFields) {
        if (info.Field == field) {
            return info;
        }
    }
    throw std::out_of_range("unknown settings field");
}

namespace {

template <typename Settings>
auto& TextOf(Settings& settings, TTextField field) {
    switch (field) {
        case TTextField::ObjectCode:
            return settings.ObjectCode;
        case TTextField::TestPeriod:
            return settings.TestPeriod;
        case TTextField::SmsNumber1:
            return settings.SmsNumber1;
        case TTextField::SmsNumber2:
            return settings.SmsNumber2;
        case TTextField::Sim1Apn:
            return settings.Sim1.Apn;
        case TTextField::Sim1ServerAddress:
            return settings.Sim1.ServerAddress;
        case TTextField::Sim1LocalPort:
            return settings.Sim1.LocalPort;
        case TTextField::Sim1ServerPort:
            return settings.Sim1.ServerPort;
        case TTextField::Sim2Apn:
            return settings.Sim2.Apn;
        case TTextField::Sim2ServerAddress:
            return settings.Sim2.ServerAddress;
        case TTextField::Sim2LocalPort:
            return settings.Sim2.LocalPort;
        case TTextField::Sim2ServerPort:
            return settings.Sim2.ServerPort;
    }
    throw std::out_of_range("unknown settings field");
}

}  // namespace

ByteString TMemorySettingsStore::Text(TTextField field) const {
    return TextOf(settings_, field);
}

void TMemorySettingsStore::SetText(TTextField field, const ByteString& value) {
    TextOf(settings_, field) = value;
}

TTransport TMemorySettingsStore::Transport(TSim sim) const {
    return sim == TSim::Sim1 ? settings_.Sim1.Transport : settings_.Sim2.Transport;
}

void TMemorySettingsStore::SetTransport(TSim sim, TTransport transport) {
    (sim == TSim::Sim1 ? settings_.Sim1 : settings_.Sim2).Transport = transport;
}
