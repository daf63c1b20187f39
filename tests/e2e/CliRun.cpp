#include "tests/e2e/CliRun.h"

#include "testing/ChildProcess.h"

// In Russian, the language the expected messages are written in, whatever the machine's.
TCliRun RunCli(const std::vector<std::string>& arguments) {
    std::vector<std::string> russian = arguments;
    russian.insert(russian.end(), {"--lang", "ru"});
    TChildProcess process(IRVEN_CLI, russian, {});
    TCliRun run;
    run.Status = process.Finish(run.Out, run.Err);
    return run;
}
