#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace irven::sim {

class EUsage : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

struct TSimOptions {
    std::optional<std::filesystem::path> Link;
    std::optional<std::filesystem::path> State;
    std::optional<std::filesystem::path> Log;
    std::chrono::milliseconds Delay{40};
    std::optional<std::chrono::milliseconds> Late;  // replaces the delay when given
    bool Silent = false;
    std::size_t Chunk = 0;
    bool Long = false;
    std::optional<unsigned> HangupAfter;
    bool Help = false;

    std::chrono::milliseconds ReplyWait() const { return Late.value_or(Delay); }
};

// Accepts "--name value" and "--name=value". Raises EUsage naming the offending argument.
TSimOptions ParseSimOptions(const std::vector<std::string_view>& arguments);

std::string UsageText();

}  // namespace irven::sim
