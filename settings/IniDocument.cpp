#include "settings/IniDocument.h"

#include <algorithm>

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Blanks = " \t\v\f";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// The name of a "[name]" line, up to its last "]" as Windows reads it; none for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(text.substr(1, close - 1));
}

// The name of a "name=value" line; a line without "=" is no key.
std::optional<std::string_view> KeyName(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || SectionName(line)) {
        return std::nullopt;
    }
    return Trim(line.substr(0, equals));
}

std::string_view KeyValue(std::string_view line) {
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (quoted) {
        value = value.substr(1, value.size() - 2);
    }
    return value.substr(0, TIniDocument::MaxValueLength);
}

ByteString Joined(std::string_view a, std::string_view b, std::string_view c) {
    ByteString text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

bool IsBlank(std::string_view line) {
    return Trim(line).empty();
}

}  // namespace

TIniDocument::TIniDocument(std::string_view content) {
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = std::min(content.find_first_of("\r\n", start), content.size());
        std::size_t next = end;
        if (next < content.size()) {
            next += content.compare(next, 2, LineEnd) == 0 ? 2 : 1;
        }
        lines_.push_back({ByteString(content.substr(start, end - start)),
                          ByteString(content.substr(end, next - end))});
        start = next;
    }
}

ByteString TIniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const std::optional<TSection> found = FindSection(section);
    if (!found) {
        return ByteString(defaultValue);
    }
    const std::optional<std::size_t> line = FindKey(*found, key);
    if (!line) {
        return ByteString(defaultValue);
    }
    return ByteString(KeyValue(lines_[*line].Text));
}

void TIniDocument::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    const ByteString keyLine = Joined(key, "=", value);
    const std::optional<TSection> found = FindSection(section);
    if (!found) {
        if (!lines_.empty()) {
            InsertLine(lines_.size() - 1, Joined("[", section, "]"));
        } else {
            lines_.push_back({Joined("[", section, "]"), ByteString(LineEnd)});
        }
        InsertLine(lines_.size() - 1, keyLine);
        return;
    }
    if (const std::optional<std::size_t> line = FindKey(*found, key)) {
        ByteString& text = lines_[*line].Text;
        text.replace(text.find('=') + 1, ByteString::npos, value);
        return;
    }
    std::size_t last = found->End - 1;
    while (last > found->Header && IsBlank(lines_[last].Text)) {
        --last;
    }
    InsertLine(last, keyLine);
}

ByteString TIniDocument::Content() const {
    ByteString content;
    for (const TLine& line : lines_) {
        content += line.Text;
        content += line.End;
    }
    return content;
}

std::optional<TIniDocument::TSection> TIniDocument::FindSection(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<std::string_view> header = SectionName(lines_[i].Text);
        if (header && EqualIgnoringCase(*header, name)) {
            std::size_t end = i + 1;
            while (end < lines_.size() && !SectionName(lines_[end].Text)) {
                ++end;
            }
            return TSection{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> TIniDocument::FindKey(const TSection& section,
                                                 std::string_view key) const {
    for (std::size_t i = section.Header + 1; i < section.End; ++i) {
        const std::optional<std::string_view> name = KeyName(lines_[i].Text);
        if (name && EqualIgnoringCase(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// A new line goes after line `after`, which gets a line end if it was the last line without one.
void TIniDocument::InsertLine(std::size_t after, ByteString text) {
    if (lines_[after].End.empty()) {
        lines_[after].End = LineEnd;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                  TLine{std::move(text), ByteString(LineEnd)});
}
