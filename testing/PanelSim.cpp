#include "testing/PanelSim.h"

#include <stdexcept>

namespace {

constexpr TChildProcess::TPipes kStdoutOnly{.Stdout = true, .Stderr = false};

}  // namespace

TPanelSim::TPanelSim(const std::vector<std::string>& options)
    : process_(IRVEN_PANEL_SIM, options, kStdoutOnly) {
    const std::optional<std::string> line = process_.ReadLine(std::chrono::seconds(10));
    if (!line || line->empty()) {
        throw std::runtime_error("the panel simulator printed no device path");
    }
    path_ = *line;
}

TPanelSimRun RunPanelSim(const std::vector<std::string>& arguments) {
    TChildProcess process(IRVEN_PANEL_SIM, arguments, kStdoutOnly);
    TPanelSimRun run;
    std::string noStderr;
    run.Status = process.Finish(run.Output, noStderr);
    return run;
}
