#include "tools/cli/Csv.h"

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",;\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string LineMessage(int line, const std::string& message) {
    return "строка " + std::to_string(line) + ": " + message;
}

namespace {

class TCsvReader {
  public:
    TCsvReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    std::vector<TCsvRecord> Records() {
        std::vector<TCsvRecord> records;
        while (pos_ < text_.size()) {
            records.push_back(Record());
        }
        return records;
    }

  private:
    TCsvRecord Record() {
        TCsvRecord record{line_, {}};
        while (true) {
            record.Fields.push_back(Field());
            if (pos_ == text_.size() || EndOfLine()) {
                return record;
            }
            ++pos_;  // the separator
        }
    }

    std::string Field() {
        if (pos_ < text_.size() && text_[pos_] == '"') {
            return Quoted();
        }
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != separator_ && !AtLineEnd()) {
            ++pos_;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string Quoted() {
        const int opened = line_;
        std::string field;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '"' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                field += c;
                ++pos_;
            } else if (c == '"') {
                ++pos_;
                if (pos_ < text_.size() && text_[pos_] != separator_ && !AtLineEnd()) {
                    throw ECsvSyntax(LineMessage(line_,
                                                 "после закрывающей кавычки ждём разделитель "
                                                 "или конец строки"));
                }
                return field;
            } else {
                line_ += c == '\n' ? 1 : 0;
                field += c;
            }
        }
        throw ECsvSyntax(LineMessage(opened, "кавычка открыта и не закрыта"));
    }

    bool AtLineEnd() const { return text_[pos_] == '\n' || text_.substr(pos_, 2) == "\r\n"; }

    // Steps over the line end under pos_, if there is one.
    bool EndOfLine() {
        if (!AtLineEnd()) {
            return false;
        }
        pos_ += text_[pos_] == '\r' ? 2 : 1;
        ++line_;
        return true;
    }

    std::string_view text_;
    char separator_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<TCsvRecord> ParseCsv(std::string_view text, char separator) {
    return TCsvReader(text, separator).Records();
}
