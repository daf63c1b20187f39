#include "tests/e2e/PanelSim.h"

#include <stdexcept>

TPanelSim::TPanelSim(const std::vector<std::string>& options)
    : process_(IRVEN_PANEL_SIM, options, {.Stdout = true, .Stderr = false}) {
    const std::optional<std::string> line = process_.ReadLine(std::chrono::seconds(10));
    if (!line || line->empty()) {
        throw std::runtime_error("the panel simulator printed no device path");
    }
    path_ = *line;
}
