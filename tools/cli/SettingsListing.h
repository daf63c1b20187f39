#pragma once

#include <string>

#include "settings/GprsSettings.h"

// One setting per line as "Name=value" in UTF-8, in the order of the settings record, each value
// escaped by EscapeForLine.
std::string ListAllSettings(const TSettingsStore& settings);
// The twelve text fields alone, in the same order.
std::string ListTextSettings(const TSettingsStore& settings);
