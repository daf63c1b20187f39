#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The panel's command language as the simulator understands it: which letter sets which setting
// and which query code reads it back.
namespace irven::sim {

enum class TTextSetting {
    Sim1ServerAddress,
    Sim2ServerAddress,
    Sim1Apn,
    Sim2Apn,
    Sim1LocalPort,
    Sim2LocalPort,
    Sim1ServerPort,
    Sim2ServerPort,
    ObjectCode,
    SmsNumber1,
    SmsNumber2,
};

enum class TByteSetting { TestPeriod, SmsMode, GprsMode, Sim1Transport, Sim2Transport };

struct TTextSettingInfo {
    TTextSetting Setting;
    char Letter;             // the setting frame's letter
    std::string_view Query;  // the code of the query that reads it back
    std::string_view Key;    // its name in the state file
};

struct TByteSettingInfo {
    TByteSetting Setting;
    char Letter;
    std::string_view Query;
    std::string_view Key;
};

inline constexpr std::size_t kTextSettingCount = 11;
inline constexpr std::size_t kByteSettingCount = 5;
inline constexpr std::size_t kCodeCount = 25;
inline constexpr std::size_t kCodeLength = 3;
inline constexpr std::size_t kCodeTableBytes = kCodeCount * kCodeLength;
inline constexpr std::size_t kMaxJournal = 400;

inline constexpr std::array<TTextSettingInfo, kTextSettingCount> kTextSettings{{
    {TTextSetting::Sim1ServerAddress, 'S', "S1", "Sim1.ServerAddress"},
    {TTextSetting::Sim2ServerAddress, 's', "S2", "Sim2.ServerAddress"},
    {TTextSetting::Sim1Apn, 'T', "A1", "Sim1.Apn"},
    {TTextSetting::Sim2Apn, 't', "A2", "Sim2.Apn"},
    {TTextSetting::Sim1LocalPort, 'L', "L1", "Sim1.LocalPort"},
    {TTextSetting::Sim2LocalPort, 'l', "L2", "Sim2.LocalPort"},
    {TTextSetting::Sim1ServerPort, 'P', "P1", "Sim1.ServerPort"},
    {TTextSetting::Sim2ServerPort, 'p', "P2", "Sim2.ServerPort"},
    {TTextSetting::ObjectCode, 'O', "OC", "ObjectCode"},
    {TTextSetting::SmsNumber1, 'M', "M1", "SmsNumber1"},
    {TTextSetting::SmsNumber2, 'm', "M2", "SmsNumber2"},
}};

inline constexpr std::array<TByteSettingInfo, kByteSettingCount> kByteSettings{{
    {TByteSetting::TestPeriod, 'q', "PT", "TestPeriod"},
    {TByteSetting::SmsMode, 'z', "MR", "SmsMode"},
    {TByteSetting::GprsMode, 'g', "GP", "GprsMode"},
    {TByteSetting::Sim1Transport, 'N', "T1", "Sim1.Transport"},
    {TByteSetting::Sim2Transport, 'n', "T2", "Sim2.Transport"},
}};

// Queries that read something other than one setting.
inline constexpr std::string_view kQueryEventCodes = "EC";
inline constexpr std::string_view kQueryRestoreCodes = "RC";
inline constexpr std::string_view kQueryJournal = "JRN";
inline constexpr std::string_view kQueryClosing = "BD";

inline constexpr char kUploadEventCodes = 'C';
inline constexpr char kUploadRestoreCodes = 'R';

std::optional<TTextSettingInfo> TextSettingByLetter(char letter);
std::optional<TByteSettingInfo> ByteSettingByLetter(char letter);
std::optional<TTextSettingInfo> TextSettingByQuery(std::string_view code);
std::optional<TByteSettingInfo> ByteSettingByQuery(std::string_view code);
bool IsKnownQuery(std::string_view code);

}  // namespace irven::sim
