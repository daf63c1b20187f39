#pragma once

#include <ostream>

#include "tools/cli/CliOptions.h"

// Each command prints its results to out. Failures are exceptions: EUsage for what the command
// line got wrong (found before the port is opened), anything else for a failed exchange.
void RunPorts(const TCliOptions& options, std::ostream& out);
void RunReadSettings(const TCliOptions& options, std::ostream& out);
void RunShowSettings(const TCliOptions& options, std::ostream& out);
void RunWriteSettings(const TCliOptions& options, std::ostream& out);
void RunReadCodes(const TCliOptions& options, std::ostream& out);
void RunWriteCodes(const TCliOptions& options, std::ostream& out);
void RunReadJournal(const TCliOptions& options, std::ostream& out);

void RunCommand(const TCliOptions& options, std::ostream& out);
