#include <iostream>
#include <string>
#include <vector>

#include "tools/cli/CliCommands.h"
#include "tools/cli/ProgramText.h"

int main(int argc, char** argv) {
    const TProgramText text(argc, argv);
    try {
        const TCliOptions options = ParseCliArguments(text.Arguments());
        if (options.Help != THelp::None) {
            std::cout << HelpText(options.Help == THelp::Command ? std::optional(options.Command)
                                                                 : std::nullopt);
            return 0;
        }
        RunCommand(options, std::cout);
        std::cout.flush();
        return std::cout ? 0 : 1;
    } catch (const EUsage& error) {
        std::cerr << "irven-cli: " << error.what() << "\n" << UsageText(error.Command());
        return 2;
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}
