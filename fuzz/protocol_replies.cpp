// Feeds arbitrary bytes to everything that decodes what the panel or the technician supplies:
// the reply decoders, the journal entries, the integer conversion and the Windows-1251 codec.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "protocol/Cp1251.h"
#include "protocol/EConvertError.h"
#include "protocol/EventCodeTable.h"
#include "protocol/JournalEventTable.h"
#include "protocol/ReplyDecoders.h"
#include "protocol/StrToInt.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void DecodeSettingsReplies(const ByteString& reply) {
    const ByteString text = DecodeTextReply(reply);
    Check(text.find('\0') == ByteString::npos && reply.compare(0, text.size(), text) == 0);
    DecodePeriodReply(reply);
    DecodeModeReply(reply);
    DecodeTransportReply(reply);
}

void DecodeCodeReply(const ByteString& reply) {
    ByteString joined;
    for (int row = 0; row <= TEventCodeTable::Rows + 1; ++row) {
        const ByteString code = CodeFromReply(reply, row);
        Check(code.size() <= TEventCodeTable::CodeLength);
        if (row >= 1 && row <= TEventCodeTable::Rows) {
            joined += code;
        }
    }
    Check(joined == reply.substr(0, 75));
}

void DecodeJournal(const ByteString& reply) {
    const int last = static_cast<int>(reply.size()) + 2;
    for (int number = -1; number <= last; ++number) {
        const TJournalEvent event = DecodeJournalEntry(reply, number);
        Check(event.Text.has_value() == event.RowColor.has_value());
    }
}

void Convert(const ByteString& text) {
    try {
        StrToInt(text);
    } catch (const EConvertError&) {
    }
    Check(Utf8ToCp1251(Cp1251ToUtf8(text)) == text);
    try {
        Utf8ToCp1251(text);
    } catch (const ETextConversion&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteString bytes(reinterpret_cast<const char*>(data), size);
    DecodeSettingsReplies(bytes);
    DecodeCodeReply(bytes);
    DecodeJournal(bytes);
    Convert(bytes);
    return 0;
}
