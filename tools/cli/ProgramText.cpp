#include "tools/cli/ProgramText.h"

#include <iostream>

TProgramText::~TProgramText() {
    std::cout.flush();
    std::cerr.flush();
    if (OldOut_ != nullptr) {
        std::cout.rdbuf(OldOut_);
    }
    if (OldErr_ != nullptr) {
        std::cerr.rdbuf(OldErr_);
    }
}
