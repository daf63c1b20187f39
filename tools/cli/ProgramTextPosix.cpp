#include "tools/cli/ProgramText.h"

TProgramText::TProgramText(int argc, char** argv) : Arguments_(argv + 1, argv + argc) {}
