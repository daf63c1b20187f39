#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "testing/RussianOnlyLetters.h"
#include "tools/cli/CliProgram.h"
#include "tools/cli/CliUkrainian.h"

namespace {

struct TRun {
    int Code = 0;
    std::string Text;
};

TRun RunCli(const std::vector<std::string>& arguments, TLanguage system) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCliProgram(arguments, system, out, err);
    return {code, out.str() + err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool HasCyrillic(const std::string& line) {
    return line.find("\xD0") != std::string::npos || line.find("\xD1") != std::string::npos;
}

struct TCliCase {
    const char* Name;
    std::vector<std::string> Arguments;
    int Code;
};

class CliLanguageTest : public testing::TestWithParam<TCliCase> {};

// The same command in Russian, chosen by --lang over a Ukrainian system, and in Ukrainian, chosen
// over a Russian one: the same exit and layout, every line that has words is translated, and what
// was typed is quoted as typed.
TEST_P(CliLanguageTest, SpeaksUkrainianLineForLine) {
    std::vector<std::string> russianArguments = GetParam().Arguments;
    russianArguments.insert(russianArguments.end(), {"--lang", "ru"});
    std::vector<std::string> ukrainianArguments{"--lang=uk"};
    ukrainianArguments.insert(ukrainianArguments.end(), GetParam().Arguments.begin(),
                              GetParam().Arguments.end());
    const TRun russian = RunCli(russianArguments, TLanguage::Ukrainian);
    const TRun ukrainian = RunCli(ukrainianArguments, TLanguage::Russian);
    EXPECT_EQ(russian.Code, GetParam().Code);
    EXPECT_EQ(ukrainian.Code, GetParam().Code);
    EXPECT_EQ(russian.Text, RunCli(GetParam().Arguments, TLanguage::Russian).Text);
    EXPECT_EQ(ukrainian.Text, RunCli(GetParam().Arguments, TLanguage::Ukrainian).Text);
    const std::vector<std::string> ru = Lines(russian.Text);
    const std::vector<std::string> uk = Lines(ukrainian.Text);
    ASSERT_EQ(ru.size(), uk.size()) << ukrainian.Text;
    ASSERT_FALSE(ru.empty());
    for (std::size_t i = 0; i < ru.size(); ++i) {
        EXPECT_FALSE(HasRussianOnlyLetter(uk[i])) << uk[i];
        if (HasCyrillic(ru[i])) {
            EXPECT_NE(uk[i], ru[i]);
        } else {
            EXPECT_EQ(uk[i], ru[i]);
        }
        for (const std::string& argument : GetParam().Arguments) {
            if (HasCyrillic(argument) && ru[i].find(argument) != std::string::npos) {
                EXPECT_NE(uk[i].find(argument), std::string::npos) << uk[i];
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliLanguageTest,
    testing::Values(
        TCliCase{"usage", {}, 2}, TCliCase{"help", {"--help"}, 0},
        TCliCase{"help_ports", {"ports", "--help"}, 0},
        TCliCase{"help_read_settings", {"help", "read-settings"}, 0},
        TCliCase{"help_show_settings", {"show-settings", "-h"}, 0},
        TCliCase{"help_write_settings", {"write-settings", "--help"}, 0},
        TCliCase{"help_read_codes", {"read-codes", "--help"}, 0},
        TCliCase{"help_write_codes", {"write-codes", "--help"}, 0},
        TCliCase{"help_read_journal", {"read-journal", "--help"}, 0},
        TCliCase{"unknown_command", {"erase"}, 2},
        TCliCase{"one_of", {"write-codes", "--port", "x", "--table", "events"}, 2},
        TCliCase{"bad_table", {"read-codes", "--port", "x", "--table", "all"}, 2},
        TCliCase{"table_named_as_a_row", {"read-codes", "--port", "x", "--table", "Пожар"}, 2},
        TCliCase{"count_of_codes",
                 {"write-codes", "--port", "x", "--table", "events", "--codes", "1"},
                 2},
        TCliCase{"count_too_long", {"read-journal", "--port", "x", "--count", "1000"}, 2},
        TCliCase{
            "missing_settings_file", {"show-settings", "--ini", "/nonexistent/Об'єкт.ini"}, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CliLanguageOptionTest, AnUnknownCodeIsAUsageErrorInTheSystemsLanguage) {
    const TRun ukrainian = RunCli({"ports", "--lang", "en"}, TLanguage::Ukrainian);
    EXPECT_EQ(ukrainian.Code, 2);
    EXPECT_EQ(Lines(ukrainian.Text).front(), "irven-cli: --lang приймає uk або ru, а не «en»");
    const TRun russian = RunCli({"ports", "--lang"}, TLanguage::Russian);
    EXPECT_EQ(russian.Code, 2);
    EXPECT_EQ(Lines(russian.Text).front(), "irven-cli: у --lang нет значения");
}

TEST(CliUkrainianTest, EveryTranslationIsUkrainian) {
    for (const TTranslation& entry : CliUkrainian()) {
        EXPECT_FALSE(HasRussianOnlyLetter(std::string(entry.Text))) << entry.Text;
    }
}

}  // namespace
