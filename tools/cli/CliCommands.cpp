#include "tools/cli/CliCommands.h"

void RunCommand(const TCliOptions& options, std::ostream& out) {
    switch (options.Command) {
        case TCliCommand::Ports:
            return RunPorts(options, out);
        case TCliCommand::ReadSettings:
            return RunReadSettings(options, out);
        case TCliCommand::ShowSettings:
            return RunShowSettings(options, out);
        case TCliCommand::WriteSettings:
            return RunWriteSettings(options, out);
        case TCliCommand::ReadCodes:
            return RunReadCodes(options, out);
        case TCliCommand::WriteCodes:
            return RunWriteCodes(options, out);
        case TCliCommand::ReadJournal:
            return RunReadJournal(options, out);
    }
}
