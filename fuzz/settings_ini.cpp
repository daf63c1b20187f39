// The settings-file reader and writer over any bytes: the text is kept byte for byte, a written
// value reads back as written, also after the text is read again, and other sections stay as they
// were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/IniDocument.h"

namespace {

constexpr std::string_view Alphabet = "ABCabc019 ";
constexpr std::string_view ValueAlphabet = "Aa0=;[]\"'\xC0";

ByteString NameFrom(std::string_view bytes, std::string_view alphabet) {
    ByteString name;
    for (unsigned char b : bytes) {
        name += alphabet[b % alphabet.size()];
    }
    return name;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    TIniDocument document(content);
    Check(document.Content() == content);

    const std::size_t nameLength = size == 0 ? 0 : data[0] % 4;
    ByteString section =
        NameFrom(content.substr(std::min<std::size_t>(1, size), nameLength), Alphabet);
    section = section.empty() || section.front() == ' ' || section.back() == ' ' ? "S" : section;
    ByteString value =
        NameFrom(content.substr(size - std::min<std::size_t>(size, 6)), ValueAlphabet);
    if (!value.empty() && (value.front() == '"' || value.front() == '\'')) {
        value.front() = 'q';
    }
    const ByteString other = "Other";
    const ByteString otherBefore = document.ReadString(other, "Text", "?");

    document.WriteString(section, "Text", value);
    Check(document.ReadString(section, "TEXT", "?") == value);
    Check(document.ReadString(other, "Text", "?") == otherBefore);
    const TIniDocument reread(document.Content());
    Check(reread.ReadString(section, "text", "?") == value);
    Check(reread.ReadString(other, "Text", "?") == otherBefore);
    return 0;
}
