#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "language/Catalogue.h"
#include "protocol/Cp1251.h"
#include "protocol/ECodeTableInvalid.h"
#include "protocol/EConvertError.h"
#include "protocol/EInvalidSetting.h"
#include "protocol/WriteSettings.h"
#include "serial/SerialMessages.h"
#include "settings/IniFileException.h"
#include "settings/SettingsFile.h"
#include "tests/protocol/LinkHarness.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kLanguages{"ru", "uk"};

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string GuideSource(const std::string& language) {
    return ReadFile(fs::path(IRVEN_GUIDE_SOURCE_DIR) / (language + ".md"));
}

// From the troubleshooting heading to the end of the guide, which it closes.
std::string Troubleshooting(const std::string& guide) {
    const auto start = guide.find("{#troubleshooting}");
    return start == std::string::npos ? std::string{} : guide.substr(start);
}

// A message as the program builds it, and the parts of it that change from case to case (a path,
// a field, a row): the guide quotes the rest word for word.
struct TShownMessage {
    std::string Text;
    std::vector<std::string> Variables;
};

std::string WhatOf(const std::function<void()>& raise) {
    try {
        raise();
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

std::string SemicolonRefusal() {
    TLinkHarness panel;
    panel.Connect();
    TMemorySettingsStore settings;
    settings.SetText(TextFields[0].Field, "1;2");
    return WhatOf([&] { WriteSettings(panel.Link, settings); });
}

std::vector<TShownMessage> ShownMessages() {
    namespace m = SerialMessage;
    std::vector<TShownMessage> shown;
    for (const char* serial :
         {m::NotFound, m::Busy, m::SetupComm, m::SetCommState, m::SetCommTimeouts,
          m::EscapeCommFunction, m::PurgeComm, m::PropertyWhileOpen, m::Write, m::Read, m::Async,
          m::ClearCommError, m::GetCommModemStatus, m::Registry}) {
        shown.push_back({serial, {}});
    }
    const std::string field(TextFields[0].Label);
    const std::string path = "site.ini";
    shown.insert(shown.end(), {
                                  {m::NoPermission("dialout"), {}},
                                  {m::NoPermission(""), {}},
                                  {SemicolonRefusal(), {field}},
                                  {ECodeTableInvalid(3, "Тревога").what(), {"Тревога"}},
                                  {EConvertError(ByteString("x5")).what(), {"x5"}},
                                  {EIniFileException(path).what(), {path}},
                                  {ESettingsFileMissing(path).what(), {path}},
                                  {ESettingsFileUnreadable(path).what(), {path}},
                                  {ESettingsTextUnstorable(TextFields[0], '\r').what(), {field}},
                                  {ESettingsTextUnstorable(TextFields[0], '\n').what(), {field}},
                                  {EUnmappableText(0x20AC).what(), {"U+20AC", "€"}},
                                  {EInvalidUtf8(17).what(), {"17"}},
                              });
    return shown;
}

// The pieces of the message between its variables, each long enough to mean something.
std::vector<std::string> FixedPieces(std::string text, const std::vector<std::string>& variables) {
    for (const std::string& variable : variables) {
        for (auto at = text.find(variable); at != std::string::npos; at = text.find(variable)) {
            text.replace(at, variable.size(), "\x01");
        }
    }
    std::vector<std::string> pieces;
    std::istringstream parts(text);
    for (std::string piece; std::getline(parts, piece, '\x01');) {
        const auto first = piece.find_first_not_of(' ');
        const auto last = piece.find_last_not_of(' ');
        if (first != std::string::npos && last - first >= 2) {
            pieces.push_back(piece.substr(first, last - first + 1));
        }
    }
    return pieces;
}

TEST(guide, TroubleshootingQuotesEveryMessageInItsLanguage) {
    const TCatalogue ukrainian = CatalogueFor(TLanguage::Ukrainian, {CoreUkrainian()});
    const TCatalogue russian;
    for (const std::string& language : kLanguages) {
        const TCatalogue& catalogue = language == "uk" ? ukrainian : russian;
        const std::string table = Troubleshooting(GuideSource(language));
        ASSERT_FALSE(table.empty()) << language;
        for (const TShownMessage& message : ShownMessages()) {
            ASSERT_FALSE(message.Text.empty());
            std::vector<std::string> variables;
            for (const std::string& variable : message.Variables) {
                variables.push_back(catalogue.Translate(variable));
            }
            const std::string text = catalogue.Translate(message.Text);
            for (const std::string& piece : FixedPieces(text, variables)) {
                EXPECT_NE(table.find(piece), std::string::npos)
                    << language << ".md lacks «" << piece << "» of «" << text << "»";
            }
        }
    }
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

// Every picture the source names was taken by the build, and every link within the page leads to
// an anchor of the built page, which carries its pictures inside.
TEST(guide, PicturesAndLinksResolve) {
    const fs::path built(IRVEN_GUIDE_BINARY_DIR);
    for (const std::string& language : kLanguages) {
        const std::string source = GuideSource(language);
        const std::vector<std::string> pictures =
            Matches(source, std::regex(R"(!\[[^\]]*\]\(([^)]+)\))"));
        EXPECT_GE(pictures.size(), 5U) << language;
        for (const std::string& picture : pictures) {
            EXPECT_TRUE(fs::is_regular_file(built / picture)) << language << ": " << picture;
        }
        const std::string page = ReadFile(built / ("guide-" + language + ".html"));
        ASSERT_FALSE(page.empty()) << language;
        EXPECT_TRUE(Matches(page, std::regex(R"(<img src="(?!data:)([^"]*))")).empty())
            << language << ": a picture is not embedded";
        const std::vector<std::string> links = Matches(source, std::regex(R"(\]\(#([^)]+)\))"));
        EXPECT_FALSE(links.empty()) << language;
        for (const std::string& anchor : links) {
            EXPECT_NE(page.find("id=\"" + anchor + "\""), std::string::npos)
                << language << ": #" << anchor;
        }
    }
}

}  // namespace
