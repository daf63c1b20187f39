#pragma once

#include "protocol/DeviceLink.h"
#include "settings/GprsSettings.h"

// Writes every communication setting to the panel and commits it with "!WR;". All values are taken
// and checked before the first frame: a period that is not an integer raises EConvertError, a text
// holding ";" raises EInvalidSetting, and in both cases nothing is sent. Changes nothing in the
// store.
void WriteSettings(TDeviceLink& link, const TSettingsStore& settings);
