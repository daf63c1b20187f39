#pragma once

#include "protocol/DeviceLink.h"
#include "settings/GprsSettings.h"

// Reads every communication setting from the panel into the store, field by field: a field takes
// its value as soon as its reply is read, so after a transfer error the fields read so far keep
// their new values. Queries only; nothing is written to the panel's settings.
void ReadSettings(TDeviceLink& link, TSettingsStore& settings);
