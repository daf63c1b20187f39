#include "tools/panel-sim/StateFile.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>

namespace irven::sim {

namespace {

constexpr std::string_view kHeader =
    "# Panel simulator state: settings as text, report codes by row, journal as codes.\n";
constexpr std::string_view kEventCodeKey = "EventCode.";
constexpr std::string_view kRestoreCodeKey = "RestoreCode.";
constexpr std::string_view kJournalKey = "Journal";

std::string Quote(const TBytes& bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    return out + "\"";
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

class TLineReader {
  public:
    TLineReader(int number, std::string_view value) : number_(number), value_(value) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw EStateFile("line " + std::to_string(number_) + ": " + what);
    }

    TBytes Quoted() const {
        if (value_.size() < 2 || value_.front() != '"' || value_.back() != '"') {
            Fail("expected a quoted text");
        }
        TBytes out;
        const std::string_view body = value_.substr(1, value_.size() - 2);
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] == '"') {
                Fail("a quote inside a text must be written \\x22");
            }
            if (body[i] != '\\') {
                out += body[i];
                continue;
            }
            if (i + 3 >= body.size() || body[i + 1] != 'x') {
                Fail("a backslash starts an escape \\xHH");
            }
            out += static_cast<char>(Number(body.substr(i + 2, 2), 16, "two-digit hex escape"));
            i += 3;
        }
        return out;
    }

    std::uint8_t Byte(std::string_view text) const {
        return static_cast<std::uint8_t>(Number(text, 10, "number from 0 to 255"));
    }
    std::uint8_t Byte() const { return Byte(value_); }

    TBytes Codes() const {
        TBytes out;
        std::istringstream words{std::string(value_)};
        std::string word;
        while (words >> word) {
            out += static_cast<char>(Byte(word));
        }
        if (out.size() > kMaxJournal) {
            Fail("the journal holds at most " + std::to_string(kMaxJournal) + " codes");
        }
        return out;
    }

  private:
    unsigned Number(std::string_view text, int base, const std::string& what) const {
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), value, base);
        if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
            value > 255) {
            Fail("expected a " + what + ", found \"" + std::string(text) + "\"");
        }
        return value;
    }

    int number_;
    std::string_view value_;
};

std::optional<std::size_t> CodeRow(std::string_view key, std::string_view prefix) {
    if (!key.starts_with(prefix)) {
        return std::nullopt;
    }
    const std::string_view digits = key.substr(prefix.size());
    std::size_t row = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (error != std::errc{} || end != digits.data() + digits.size() || row < 1 ||
        row > kCodeCount) {
        return std::nullopt;
    }
    return row;
}

void SetCode(TBytes& table, std::size_t row, const TLineReader& reader) {
    const TBytes code = reader.Quoted();
    if (code.size() != kCodeLength) {
        reader.Fail("a report code has exactly three bytes");
    }
    table.replace((row - 1) * kCodeLength, kCodeLength, code);
}

bool SetText(TPanelState& state, std::string_view key, const TLineReader& reader) {
    for (const auto& info : kTextSettings) {
        if (info.Key == key) {
            state.Text(info.Setting) = reader.Quoted();
            return true;
        }
    }
    return false;
}

bool SetByte(TPanelState& state, std::string_view key, const TLineReader& reader) {
    for (const auto& info : kByteSettings) {
        if (info.Key == key) {
            state.Byte(info.Setting) = reader.Byte();
            return true;
        }
    }
    return false;
}

void ApplyLine(TPanelState& state, std::string_view key, const TLineReader& reader) {
    if (SetText(state, key, reader) || SetByte(state, key, reader)) {
        return;
    }
    if (const auto row = CodeRow(key, kEventCodeKey)) {
        return SetCode(state.EventCodes, *row, reader);
    }
    if (const auto row = CodeRow(key, kRestoreCodeKey)) {
        return SetCode(state.RestoreCodes, *row, reader);
    }
    if (key == kJournalKey) {
        state.Journal = reader.Codes();
        return;
    }
    reader.Fail("unknown key \"" + std::string(key) + "\"");
}

void FormatCodes(std::ostringstream& out, std::string_view prefix, const TBytes& table) {
    for (std::size_t row = 1; row <= kCodeCount; ++row) {
        out << prefix << row << " = " << Quote(table.substr((row - 1) * kCodeLength, kCodeLength))
            << '\n';
    }
}

}  // namespace

TPanelState ParseState(const std::string& text) {
    TPanelState state = DefaultPanelState();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string_view content = Trim(line);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        const auto equals = content.find('=');
        if (equals == std::string_view::npos) {
            TLineReader(number, content).Fail("expected \"Key = value\"");
        }
        ApplyLine(state, Trim(content.substr(0, equals)),
                  TLineReader(number, Trim(content.substr(equals + 1))));
    }
    return state;
}

std::string FormatState(const TPanelState& state) {
    std::ostringstream out;
    out << kHeader;
    for (const auto& info : kTextSettings) {
        out << info.Key << " = " << Quote(state.Text(info.Setting)) << '\n';
    }
    for (const auto& info : kByteSettings) {
        out << info.Key << " = " << static_cast<unsigned>(state.Byte(info.Setting)) << '\n';
    }
    FormatCodes(out, kEventCodeKey, state.EventCodes);
    FormatCodes(out, kRestoreCodeKey, state.RestoreCodes);
    out << kJournalKey << " =";
    for (const char code : state.Journal) {
        out << ' ' << static_cast<unsigned>(static_cast<unsigned char>(code));
    }
    out << '\n';
    return out.str();
}

TPanelState LoadStateFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(path)) {
            return DefaultPanelState();
        }
        throw EStateFile("cannot read " + path.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return ParseState(text.str());
    } catch (const EStateFile& error) {
        throw EStateFile(path.string() + ": " + error.what());
    }
}

void SaveStateFile(const std::filesystem::path& path, const TPanelState& state) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << FormatState(state);
        out.close();
        if (!out) {
            throw EStateFile("cannot write " + temporary.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        throw EStateFile("cannot replace " + path.string() + ": " + error.message());
    }
}

}  // namespace irven::sim
