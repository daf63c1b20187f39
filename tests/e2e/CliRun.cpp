#include "tests/e2e/CliRun.h"

#include "testing/ChildProcess.h"

TCliRun RunCli(const std::vector<std::string>& arguments) {
    TChildProcess process(IRVEN_CLI, arguments, {});
    TCliRun run;
    run.Status = process.Finish(run.Out, run.Err);
    return run;
}
