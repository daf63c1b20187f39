#pragma once

#include <string>
#include <vector>

struct TCliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs the built irven-cli with these arguments to its end.
TCliRun RunCli(const std::vector<std::string>& arguments);
