#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The field as it stands, or between double quotes (inner ones doubled) when it holds a separator
// of either kind, a quote or a line end.
std::string CsvField(const std::string& field);

// One record of a CSV text and the line it starts on, counted from 1.
struct TCsvRecord {
    int Line = 0;
    std::vector<std::string> Fields;
};

// A CSV text that cannot be split into records; the message names the line.
class ECsvSyntax : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Splits the text into records at line ends ("\r\n" or "\n") outside quotes. A quoted field may
// hold separators, doubled quotes and line ends. Raises ECsvSyntax.
std::vector<TCsvRecord> ParseCsv(std::string_view text, char separator);

// "строка N: " and the message, the form every complaint about a line takes.
std::string LineMessage(int line, const std::string& message);
