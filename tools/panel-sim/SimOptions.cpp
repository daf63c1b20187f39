#include "tools/panel-sim/SimOptions.h"

#include <charconv>
#include <functional>
#include <limits>
#include <map>
#include <system_error>

namespace irven::sim {

namespace {

constexpr unsigned long kMaxMilliseconds = 3'600'000;
constexpr unsigned long kMaxChunk = 4096;

unsigned long Number(std::string_view name, std::string_view text, unsigned long min,
                     unsigned long max) {
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < min ||
        value > max) {
        throw EUsage(std::string(name) + " expects a whole number from " + std::to_string(min) +
                     " to " + std::to_string(max) + ", not \"" + std::string(text) + "\"");
    }
    return value;
}

std::chrono::milliseconds Milliseconds(std::string_view name, std::string_view text) {
    return std::chrono::milliseconds(Number(name, text, 0, kMaxMilliseconds));
}

using TValueSetter = std::function<void(TSimOptions&, std::string_view name, std::string_view)>;
using TFlagSetter = std::function<void(TSimOptions&)>;

const std::map<std::string_view, TValueSetter>& ValueOptions() {
    static const std::map<std::string_view, TValueSetter> options{
        {"--link", [](TSimOptions& o, auto, auto v) { o.Link = std::filesystem::path(v); }},
        {"--state", [](TSimOptions& o, auto, auto v) { o.State = std::filesystem::path(v); }},
        {"--log", [](TSimOptions& o, auto, auto v) { o.Log = std::filesystem::path(v); }},
        {"--delay", [](TSimOptions& o, auto n, auto v) { o.Delay = Milliseconds(n, v); }},
        {"--late", [](TSimOptions& o, auto n, auto v) { o.Late = Milliseconds(n, v); }},
        {"--chunk", [](TSimOptions& o, auto n, auto v) { o.Chunk = Number(n, v, 1, kMaxChunk); }},
        {"--hangup-after",
         [](TSimOptions& o, auto n, auto v) {
             o.HangupAfter =
                 static_cast<unsigned>(Number(n, v, 1, std::numeric_limits<unsigned>::max()));
         }},
    };
    return options;
}

const std::map<std::string_view, TFlagSetter>& FlagOptions() {
    static const std::map<std::string_view, TFlagSetter> options{
        {"--silent", [](TSimOptions& o) { o.Silent = true; }},
        {"--long", [](TSimOptions& o) { o.Long = true; }},
        {"--help", [](TSimOptions& o) { o.Help = true; }},
        {"-h", [](TSimOptions& o) { o.Help = true; }},
    };
    return options;
}

}  // namespace

TSimOptions ParseSimOptions(const std::vector<std::string_view>& arguments) {
    TSimOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (const auto flag = FlagOptions().find(name); flag != FlagOptions().end() && !value) {
            flag->second(options);
            continue;
        }
        const auto setter = ValueOptions().find(name);
        if (setter == ValueOptions().end()) {
            throw EUsage("unknown option \"" + std::string(arguments[i]) + "\"");
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                throw EUsage(std::string(name) + " needs a value");
            }
            value = arguments[++i];
        }
        setter->second(options, name, *value);
    }
    return options;
}

std::string UsageText() {
    return R"(Usage: irven-panel-sim [OPTION]...
Simulates an alarm panel on a pseudo-terminal. Prints the terminal's device path alone on the
first line, then answers the configurator's frames until SIGINT or SIGTERM (exit status 0).

  --link PATH          also make a symbolic link PATH to the device; removed at exit
  --state FILE         load the panel's state from FILE (defaults when it does not exist) and
                       save it there whenever "!WR;" commits or a code table is uploaded
  --log FILE           append one JSON object per line for every frame received and every
                       reply piece sent: t, dir (rx/tx), hex, kind, name
  --delay MS           answer MS milliseconds after a frame's last byte (default 40)
  --silent             answer nothing
  --chunk N            send each reply in pieces of N bytes, 30 ms apart
  --late MS            answer only after MS milliseconds, in place of --delay
  --long               pad text replies to 150 bytes, past the 100 a query reads
  --hangup-after N     close the terminal as soon as the N-th frame has arrived, like a pulled
                       cable; replies not yet sent are lost, and the exit status is 2
  -h, --help           show this text

Fault options may be combined. Frames that are not understood are logged as "unknown", noted
on standard error and skipped up to the next ";".
Exit status: 0 after SIGINT or SIGTERM, 2 after --hangup-after, 1 on a bad option or an error.
)";
}

}  // namespace irven::sim
