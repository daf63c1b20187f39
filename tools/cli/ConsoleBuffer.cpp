#include "tools/cli/ConsoleBuffer.h"

namespace {

// The length of the longest prefix that ends on a whole UTF-8 character.
std::size_t WholeCharacters(const std::string& text) {
    std::size_t end = text.size();
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const unsigned char byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;
        }
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length > back) {
            end = text.size() - back;
        }
        break;
    }
    return end;
}

}  // namespace

TConsoleBuffer::int_type TConsoleBuffer::overflow(int_type character) {
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        Pending_ += traits_type::to_char_type(character);
        if (character == '\n') {
            sync();
        }
    }
    return traits_type::not_eof(character);
}

std::streamsize TConsoleBuffer::xsputn(const char* text, std::streamsize count) {
    Pending_.append(text, static_cast<std::size_t>(count));
    if (Pending_.find('\n') != std::string::npos) {
        sync();
    }
    return count;
}

int TConsoleBuffer::sync() {
    const std::size_t whole = WholeCharacters(Pending_);
    if (whole == 0) {
        return 0;
    }
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, 0, Pending_.data(), static_cast<int>(whole), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Pending_.data(), static_cast<int>(whole), wide.data(),
                        wideLength);
    Pending_.erase(0, whole);
    DWORD written = 0;
    return WriteConsoleW(Console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)
               ? 0
               : -1;
}
