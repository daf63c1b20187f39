#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "serial/ByteString.h"

// The byte that carries a channel's transport to and from the panel.
enum class TTransport : uint8_t { TCP = 1, UDP = 2 };

struct TSimChannel {
    ByteString Apn;
    ByteString ServerAddress;
    ByteString ServerPort;
    ByteString LocalPort;
    TTransport Transport = TTransport::TCP;
};

// The communication settings with their defaults. Texts are Windows-1251, kept exactly as typed or
// received; the SMS numbers carry their enclosing double quotes as part of the value.
struct TGprsSettings {
    ByteString ObjectCode = "2222";
    ByteString TestPeriod = "5";
    ByteString SmsNumber1 = "\"+380501234567\"";
    ByteString SmsNumber2 = "\"+380671234567\"";
    bool SmsMode = false;
    bool GprsMode = true;
    TSimChannel Sim1{"internet", "192.0.2.10", "7789", "7789", TTransport::TCP};
    TSimChannel Sim2{"internet", "192.0.2.10", "7790", "7790", TTransport::UDP};
};

// The twelve text fields, in the order of the settings file.
enum class TTextField {
    ObjectCode,
    TestPeriod,
    SmsNumber1,
    SmsNumber2,
    Sim1Apn,
    Sim1ServerAddress,
    Sim1LocalPort,
    Sim1ServerPort,
    Sim2Apn,
    Sim2ServerAddress,
    Sim2LocalPort,
    Sim2ServerPort,
};

enum class TSim { Sim1, Sim2 };

struct TTextFieldInfo {
    TTextField Field;
    std::string_view Name;     // "ObjectCode", "Sim1.Apn", ...
    std::string_view Control;  // the control showing it, also its settings-file section
    int InputLimit;            // characters the user may type; 0 for no limit
    std::string_view Label;    // how messages name the field to the technician (UTF-8)
};

extern const std::array<TTextFieldInfo, 12> TextFields;
const TTextFieldInfo& FieldInfo(TTextField field);

// The live settings, read and written field by field. The window's settings page implements it over
// its controls (which stay the only store); TMemorySettingsStore serves tests and the tools. A
// field written is in the store at once, so what an operation wrote before it failed stays written.
class TSettingsStore {
  public:
    virtual ~TSettingsStore() = default;
    // Windows-1251 bytes; the window's store raises an error naming the field when its text has no
    // Windows-1251 form.
    virtual ByteString Text(TTextField field) const = 0;
    virtual void SetText(TTextField field, const ByteString& value) = 0;
    virtual bool SmsMode() const = 0;
    virtual void SetSmsMode(bool on) = 0;
    virtual bool GprsMode() const = 0;
    virtual void SetGprsMode(bool on) = 0;
    virtual TTransport Transport(TSim sim) const = 0;
    virtual void SetTransport(TSim sim, TTransport transport) = 0;
};

class TMemorySettingsStore final : public TSettingsStore {
  public:
    TMemorySettingsStore() = default;
    explicit TMemorySettingsStore(TGprsSettings settings) : settings_(std::move(settings)) {}

    ByteString Text(TTextField field) const override;
    void SetText(TTextField field, const ByteString& value) override;
    bool SmsMode() const override { return settings_.SmsMode; }
    void SetSmsMode(bool on) override { settings_.SmsMode = on; }
    bool GprsMode() const override { return settings_.GprsMode; }
    void SetGprsMode(bool on) override { settings_.GprsMode = on; }
    TTransport Transport(TSim sim) const override;
    void SetTransport(TSim sim, TTransport transport) override;

    const TGprsSettings& Settings() const { return settings_; }

  private:
    TGprsSettings settings_;
};
