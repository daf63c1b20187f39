#pragma once

#include <vector>

#include "protocol/DeviceLink.h"
#include "protocol/JournalEventTable.h"
#include "protocol/JournalGrid.h"
#include "serial/ByteString.h"

// The journal page's count field takes this many characters, and the tool's --count as many, so
// that the grid stays as small as the window's; it starts with the initial count.
inline constexpr int kJournalCountLength = 3;
inline constexpr char kInitialJournalCount[] = "20";

// Asks the panel for its journal with one read and shows the first N entries in the grid, N being
// countText as an integer (EConvertError otherwise, after the reply has been read). Entry i is
// byte i of the reply: its number, its text and its row colour; a code outside the table, or an
// entry the reply has no byte for, shows its number alone. Returns the entries it showed.
std::vector<TJournalEvent> DownloadJournal(TDeviceLink& link, TJournalGrid& grid,
                                           const ByteString& countText);
