#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <stdexcept>

#include "settings/GprsSettings.h"

// A text on the settings page that Windows-1251 cannot carry; the message names the field and
// the character.
class EUnmappableField : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The controls of the "GPRS" page that hold the settings.
struct TSettingsPageControls {
    // In the order of TTextField.
    std::array<QLineEdit*, 12> Texts{};
    QCheckBox* SmsMode = nullptr;
    QCheckBox* GprsMode = nullptr;
    QRadioButton* Sim1Tcp = nullptr;
    QRadioButton* Sim1Udp = nullptr;
    QRadioButton* Sim2Tcp = nullptr;
    QRadioButton* Sim2Udp = nullptr;
};

// The settings store over the page's controls, which stay the only store: every read takes the
// control's current value, every write goes straight into the control.
class TSettingsPageStore final : public TSettingsStore {
  public:
    explicit TSettingsPageStore(const TSettingsPageControls& controls) : controls_(controls) {}

    ByteString Text(TTextField field) const override;
    void SetText(TTextField field, const ByteString& value) override;
    bool SmsMode() const override;
    void SetSmsMode(bool on) override;
    bool GprsMode() const override;
    void SetGprsMode(bool on) override;
    TTransport Transport(TSim sim) const override;
    void SetTransport(TSim sim, TTransport transport) override;

    QLineEdit& Edit(TTextField field) const;

  private:
    TSettingsPageControls controls_;
};
