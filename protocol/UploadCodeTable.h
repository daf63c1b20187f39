#pragma once

#include "protocol/DeviceLink.h"
#include "protocol/EventCodeTable.h"

// Checks all 25 codes (ECodeTableInvalid for the first one that is not 3 characters, nothing sent),
// then sends the letter, the 25 codes one write each and, for restore codes, ";". Reads nothing.
void UploadCodeTable(TDeviceLink& link, const TEventCodeTable& table);
