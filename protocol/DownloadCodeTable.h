#pragma once

#include "protocol/DeviceLink.h"
#include "protocol/EventCodeTable.h"

// Asks the panel for the table and replaces all 25 codes with the slices of its reply.
void DownloadCodeTable(TDeviceLink& link, TEventCodeTable& table);
