#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "serial/ByteString.h"

// The text of a private-profile (INI) file, read and changed by the rules of the Windows
// private-profile functions. Lines keep their bytes and their own line ends, so a change touches
// only the line it concerns and every other section, key, comment and line stays as it was.
class TIniDocument {
  public:
    static constexpr std::size_t MaxValueLength = 2047;

    TIniDocument() = default;
    explicit TIniDocument(std::string_view content);

    // The value of the first `key` in the first section named `section`, names compared without
    // regard to ASCII letter case: the text after the first "=" without its leading and trailing
    // blanks and without one enclosing pair of double or single quotes, cut to MaxValueLength.
    // `defaultValue` when the section or the key is missing.
    ByteString ReadString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // Replaces that key's value in place, or adds the key at the end of its section, or the section
    // at the end of the text. The value is stored unchanged; it must not hold a line end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    ByteString Content() const;

  private:
    struct TLine {
        ByteString Text;
        ByteString End;  // "\r\n", "\r", "\n", or empty for a last line without one
    };
    struct TSection {
        std::size_t Header;  // index of the "[name]" line
        std::size_t End;     // index of the next section's header, or the line count
    };

    std::optional<TSection> FindSection(std::string_view name) const;
    std::optional<std::size_t> FindKey(const TSection& section, std::string_view key) const;
    void InsertLine(std::size_t after, ByteString text);

    std::vector<TLine> lines_;
};
