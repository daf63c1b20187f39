#include <csignal>
#include <iostream>
#include <optional>
#include <vector>

#include "tools/panel-sim/FrameLog.h"
#include "tools/panel-sim/Panel.h"
#include "tools/panel-sim/PanelServer.h"
#include "tools/panel-sim/PseudoTerminal.h"
#include "tools/panel-sim/SignalFd.h"
#include "tools/panel-sim/SimOptions.h"
#include "tools/panel-sim/StateFile.h"
#include "tools/panel-sim/SymbolicLink.h"

namespace {

using namespace irven::sim;

constexpr int kExitError = 1;
constexpr int kExitHangup = 2;

int Serve(const TSimOptions& options, TClock::time_point start) {
    TSignalFd signals({SIGINT, SIGTERM});
    TPanel panel(options.State ? LoadStateFile(*options.State) : DefaultPanelState(),
                 TReplyStyle{options.Long});
    std::optional<TFrameLog> log;
    if (options.Log) {
        log.emplace(*options.Log);
    }
    TPseudoTerminal terminal;
    std::optional<TSymbolicLink> link;
    if (options.Link) {
        link.emplace(terminal.SlavePath(), *options.Link);
    }
    std::cout << terminal.SlavePath() << std::endl;

    TServerConfig config{
        {options.ReplyWait(), options.Chunk}, options.Silent, options.HangupAfter, options.State};
    TPanelServer server(terminal, signals, panel, log ? &*log : nullptr, config, start);
    return server.Run() == TServeEnd::Hangup ? kExitHangup : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto start = TClock::now();
    std::signal(SIGPIPE, SIG_IGN);
    try {
        const TSimOptions options =
            ParseSimOptions(std::vector<std::string_view>(argv + 1, argv + argc));
        if (options.Help) {
            std::cout << UsageText();
            return 0;
        }
        return Serve(options, start);
    } catch (const EUsage& error) {
        std::cerr << "irven-panel-sim: " << error.what() << "\nTry --help.\n";
    } catch (const std::exception& error) {
        std::cerr << "irven-panel-sim: " << error.what() << '\n';
    }
    return kExitError;
}
