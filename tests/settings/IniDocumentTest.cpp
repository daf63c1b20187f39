#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "settings/IniDocument.h"

using namespace std::string_literals;

namespace {

// Test names from the cases' descriptions.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : std::string_view(info.param.What)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

struct TReadCase {
    const char* What;
    ByteString Content;
    const char* Section;
    const char* Key;
    ByteString Expected;
};

class IniDocumentRead : public testing::TestWithParam<TReadCase> {};

TEST_P(IniDocumentRead, GivesTheValueByTheWindowsRules) {
    const TReadCase& c = GetParam();
    EXPECT_EQ(TIniDocument(c.Content).ReadString(c.Section, c.Key, "?"), c.Expected) << c.What;
}

const ByteString Long(3000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDocumentRead,
    testing::Values(
        TReadCase{"plain", "[CodObj]\r\nText=2222\r\n", "CodObj", "Text", "2222"},
        TReadCase{"blanks trimmed", "[A]\r\n  Text \t= 12 34 \t\r\n", "A", "Text", "12 34"},
        TReadCase{"double quotes", "[A]\r\nText=\"+380\"\r\n", "A", "Text", "+380"},
        TReadCase{"single quotes", "[A]\r\nText='ab'\r\n", "A", "Text", "ab"},
        TReadCase{"one pair only", "[A]\r\nText=\"\"ab\"\"\r\n", "A", "Text", "\"ab\""},
        TReadCase{"unmatched pair", "[A]\r\nText=\"ab'\r\n", "A", "Text", "\"ab'"},
        TReadCase{"lone quote", "[A]\r\nText=\"\r\n", "A", "Text", "\""},
        TReadCase{"blanks inside quotes kept", "[A]\r\nText= \" a \" \r\n", "A", "Text", " a "},
        TReadCase{"empty value", "[A]\r\nText=\r\n", "A", "Text", ""},
        TReadCase{"empty quotes", "[A]\r\nText=\"\"\r\n", "A", "Text", ""},
        TReadCase{"first equals splits", "[A]\r\nText==a=b\r\n", "A", "Text", "=a=b"},
        TReadCase{"missing file", "", "A", "Text", "?"},
        TReadCase{"missing section", "[B]\r\nText=1\r\n", "A", "Text", "?"},
        TReadCase{"missing key", "[A]\r\nOther=1\r\n[B]\r\nText=2\r\n", "A", "Text", "?"},
        TReadCase{"line without equals", "[A]\r\nText\r\n", "A", "Text", "?"},
        TReadCase{"commented key", "[A]\r\n;Text=1\r\n", "A", "Text", "?"},
        TReadCase{"key before any section", "Text=1\r\n[A]\r\n", "A", "Text", "?"},
        TReadCase{"section up to its last bracket", "[Edit1]x]\r\nText=1\r\n", "Edit1]x", "Text",
                  "1"},
        TReadCase{"not up to its first", "[Edit1]x]\r\nText=1\r\n", "Edit1", "Text", "?"},
        TReadCase{"names without case", "[codOBJ]\r\ntEXT=7\r\n", "CODobj", "Text", "7"},
        TReadCase{"first section wins", "[A]\r\nText=1\r\n[a]\r\nText=2\r\n", "A", "Text", "1"},
        TReadCase{"first key wins", "[A]\r\nText=1\r\nTEXT=2\r\n", "A", "Text", "1"},
        TReadCase{"LF ends", "[A]\nX=0\nText=5\n", "A", "Text", "5"},
        TReadCase{"CR ends", "[A]\rX=0\rText=5\r", "A", "Text", "5"},
        TReadCase{"no end on last line", "[A]\r\nText=5", "A", "Text", "5"},
        TReadCase{"Windows-1251 bytes", "[A]\r\nText=\xCA\xEE\xE4\r\n", "A", "Text",
                  "\xCA\xEE\xE4"},
        TReadCase{"2047 at most", "[A]\r\nText=" + Long + "\r\n", "A", "Text",
                  Long.substr(0, 2047)},
        TReadCase{"2047 after the quotes", "[A]\r\nText=\"" + Long + "\"\r\n", "A", "Text",
                  Long.substr(0, 2047)}),
    CaseName<TReadCase>);

struct TWriteCase {
    const char* What;
    ByteString Before;
    const char* Section;
    ByteString Value;
    ByteString After;
};

class IniDocumentWrite : public testing::TestWithParam<TWriteCase> {};

TEST_P(IniDocumentWrite, ChangesOnlyWhatItMust) {
    const TWriteCase& c = GetParam();
    TIniDocument document(c.Before);
    document.WriteString(c.Section, "Text", c.Value);
    EXPECT_EQ(document.Content(), c.After) << c.What;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDocumentWrite,
    testing::Values(TWriteCase{"new file", "", "CodObj", "2222", "[CodObj]\r\nText=2222\r\n"},
                    TWriteCase{"replaced in place", "[A]\r\nText=1\r\n[B]\r\nText=2\r\n", "A", "9",
                               "[A]\r\nText=9\r\n[B]\r\nText=2\r\n"},
                    TWriteCase{"other lines kept as they are", "; note\n[a]\n text = 1\nX=y\n", "A",
                               "2", "; note\n[a]\n text =2\nX=y\n"},
                    TWriteCase{"key added at the end of its section", "[A]\r\nX=1\r\n\r\n[B]\r\n",
                               "A", "v", "[A]\r\nX=1\r\nText=v\r\n\r\n[B]\r\n"},
                    TWriteCase{"section added after a last line without end", "[A]\r\nText=1", "B",
                               "2", "[A]\r\nText=1\r\n[B]\r\nText=2\r\n"},
                    TWriteCase{"first of duplicates replaced", "[A]\nText=1\n[A]\nText=2\n", "a",
                               "3", "[A]\nText=3\n[A]\nText=2\n"},
                    TWriteCase{"quotes and Windows-1251 bytes unchanged", "", "Edit7",
                               "\"\xCA +3\"", "[Edit7]\r\nText=\"\xCA +3\"\r\n"},
                    TWriteCase{"empty value", "[A]\r\nText=1\r\n", "A", "", "[A]\r\nText=\r\n"}),
    CaseName<TWriteCase>);

TEST(IniDocument, KeepsEveryByteOfWhatItRead) {
    const ByteString content = "junk\r[A]\n\n  Text = \"x\" \r\n;c\r\n\r[B\x00]\rlast"s;
    EXPECT_EQ(TIniDocument(content).Content(), content);
}

}  // namespace
