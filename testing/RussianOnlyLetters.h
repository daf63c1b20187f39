#pragma once

#include <string>

// Letters Russian has and Ukrainian has not; a text holding one is not Ukrainian.
inline bool HasRussianOnlyLetter(const std::string& text) {
    for (const char* letter : {"ы", "Ы", "э", "Э", "ъ", "Ъ", "ё", "Ё"}) {
        if (text.find(letter) != std::string::npos) {
            return true;
        }
    }
    return false;
}
