#include <iostream>

#include "tools/cli/CliProgram.h"
#include "tools/cli/ProgramText.h"

int main(int argc, char** argv) {
    const TProgramText text(argc, argv);
    return RunCliProgram(text.Arguments(), SystemLanguage(), std::cout, std::cerr);
}
