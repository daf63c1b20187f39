#pragma once

#include <functional>

#include "protocol/DeviceLink.h"
#include "settings/GprsSettings.h"
#include "tools/cli/StagedProgress.h"

// Reads the panel's settings and has save keep them, then writes the new settings; the progress
// gives each half its share of the bar. When the read fails, the panel answers none of the text
// queries, or save raises, nothing has been written and the error says so; a panel that answers
// nothing would leave an empty copy behind while its settings were overwritten.
void WriteSettingsAfterBackup(TDeviceLink& link, TStagedProgress& progress,
                              const TSettingsStore& settings,
                              const std::function<void(const TSettingsStore& backup)>& save);
