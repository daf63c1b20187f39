#include <fcntl.h>
#include <io.h>
#include <windows.h>
// Needs what windows.h declares.
#include <shellapi.h>

#include <cstdio>
#include <iostream>

#include "tools/cli/ConsoleBuffer.h"
#include "tools/cli/ProgramText.h"

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::vector<std::string> UnicodeArguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(ToUtf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

// A console gets the text as Unicode; anything else gets the bytes as they are.
std::unique_ptr<std::streambuf> ConsoleFor(DWORD standardHandle, std::FILE* file) {
    const HANDLE handle = GetStdHandle(standardHandle);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        // The progress bar erases itself with an escape sequence.
        SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        return std::make_unique<TConsoleBuffer>(handle);
    }
    _setmode(_fileno(file), _O_BINARY);
    return nullptr;
}

}  // namespace

TProgramText::TProgramText(int, char**)
    : Arguments_(UnicodeArguments()),
      Out_(ConsoleFor(STD_OUTPUT_HANDLE, stdout)),
      Err_(ConsoleFor(STD_ERROR_HANDLE, stderr)) {
    if (Out_) {
        OldOut_ = std::cout.rdbuf(Out_.get());
    }
    if (Err_) {
        OldErr_ = std::cerr.rdbuf(Err_.get());
    }
}
