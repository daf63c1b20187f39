// Feeds arbitrary bytes to the simulator's frame parser in pieces whose sizes the input itself
// chooses, hands every frame to a panel, and checks that every byte is accounted for in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/panel-sim/FrameParser.h"
#include "tools/panel-sim/Panel.h"
#include "tools/panel-sim/StateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace irven::sim;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    TFrameParser parser;
    TPanel panel(DefaultPanelState(), TReplyStyle{size % 2 == 1});
    std::string seen;
    std::size_t at = 0;
    while (at < input.size()) {
        const std::size_t piece = std::min<std::size_t>(
            1 + static_cast<unsigned char>(input[at]) % 97, input.size() - at);
        for (const TFrame& frame : parser.Feed(input.substr(at, piece))) {
            seen += frame.Raw;
            panel.Handle(frame);
        }
        at += piece;
    }
    if (seen + parser.Pending() != input ||
        parser.Pending().size() > TFrameParser::kMaxUnknownBytes) {
        std::abort();
    }
    // Whatever the frames left in the panel must survive its state file.
    if (ParseState(FormatState(panel.Working())) != panel.Working()) {
        std::abort();
    }
    return 0;
}
