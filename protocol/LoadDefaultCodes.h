#pragma once

#include "protocol/EventCodeTable.h"

// Writes the headers, the 25 names and the start-up codes into the table's grid.
void LoadDefaultCodes(TEventCodeTable& table);
