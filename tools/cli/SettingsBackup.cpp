#include "tools/cli/SettingsBackup.h"

#include <algorithm>
#include <stdexcept>

#include "protocol/ReadSettings.h"
#include "protocol/WriteSettings.h"

namespace {

constexpr int kBackupShare = 50;

// The period is polled and keeps its value when nobody answers; every other text field is
// emptied by a missing reply.
bool NothingAnswered(const TSettingsStore& backup) {
    return std::all_of(TextFields.begin(), TextFields.end(), [&backup](const TTextFieldInfo& info) {
        return info.Field == TTextField::TestPeriod || backup.Text(info.Field).empty();
    });
}

void BackUp(TDeviceLink& link, const std::function<void(const TSettingsStore&)>& save) {
    TMemorySettingsStore backup;
    try {
        ReadSettings(link, backup);
        if (NothingAnswered(backup)) {
            throw std::runtime_error("Прибор не ответил на чтение настроек");
        }
        save(backup);
    } catch (const std::exception& error) {
        throw std::runtime_error(std::string(error.what()) +
                                 "\nРезервная копия не сохранена, в прибор ничего не записано.");
    }
}

}  // namespace

void WriteSettingsAfterBackup(TDeviceLink& link, TStagedProgress& progress,
                              const TSettingsStore& settings,
                              const std::function<void(const TSettingsStore& backup)>& save) {
    progress.BeginStage(0, kBackupShare);
    BackUp(link, save);
    progress.BeginStage(kBackupShare, 100);
    WriteSettings(link, settings);
}
