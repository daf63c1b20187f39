#include "ui/SettingsPageStore.h"

#include <string>

#include "protocol/Cp1251.h"
#include "ui/InputLimitValidator.h"
#include "ui/WindowsText.h"

QLineEdit& TSettingsPageStore::Edit(TTextField field) const {
    return *controls_.Texts.at(static_cast<std::size_t>(field));
}

ByteString TSettingsPageStore::Text(TTextField field) const {
    try {
        return ToWindows1251(Edit(field).text());
    } catch (const ETextConversion& error) {
        throw EUnmappableField("Поле «" + std::string(FieldInfo(field).Label) +
                               "»: " + error.what());
    }
}

void TSettingsPageStore::SetText(TTextField field, const ByteString& value) {
    TInputLimitValidator::SetProgramText(Edit(field), FromWindows1251(value));
}

bool TSettingsPageStore::SmsMode() const {
    return controls_.SmsMode->isChecked();
}

void TSettingsPageStore::SetSmsMode(bool on) {
    controls_.SmsMode->setChecked(on);
}

bool TSettingsPageStore::GprsMode() const {
    return controls_.GprsMode->isChecked();
}

void TSettingsPageStore::SetGprsMode(bool on) {
    controls_.GprsMode->setChecked(on);
}

TTransport TSettingsPageStore::Transport(TSim sim) const {
    const QRadioButton* udp = sim == TSim::Sim1 ? controls_.Sim1Udp : controls_.Sim2Udp;
    return udp->isChecked() ? TTransport::UDP : TTransport::TCP;
}

void TSettingsPageStore::SetTransport(TSim sim, TTransport transport) {
    QRadioButton* tcp = sim == TSim::Sim1 ? controls_.Sim1Tcp : controls_.Sim2Tcp;
    QRadioButton* udp = sim == TSim::Sim1 ? controls_.Sim1Udp : controls_.Sim2Udp;
    (transport == TTransport::UDP ? udp : tcp)->setChecked(true);
}
