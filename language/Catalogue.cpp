#include "language/Catalogue.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace {

bool IsMark(std::string_view text, std::size_t at) {
    return text[at] == '%' && at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9';
}

bool HasMark(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (IsMark(text, at)) {
            return true;
        }
    }
    return false;
}

std::string EscapeForRegex(char c) {
    static constexpr std::string_view kSpecial = R"(\^$.|?*+()[]{})";
    return kSpecial.find(c) != std::string_view::npos ? std::string{'\\', c} : std::string{c};
}

void CheckTranslatedMarks(const TTranslation& entry) {
    for (char mark = '1'; mark <= '9'; ++mark) {
        if (entry.Translated.Has(mark - '0') &&
            entry.Source.find(std::string{'%', mark}) == std::string_view::npos) {
            throw std::logic_error("a translated mark is not in the translation's source");
        }
    }
}

}  // namespace

TCatalogue::TCatalogue(const std::vector<std::span<const TTranslation>>& tables) {
    for (const std::span<const TTranslation> table : tables) {
        for (const TTranslation& entry : table) {
            CheckTranslatedMarks(entry);
            if (HasMark(entry.Source)) {
                patterns_.push_back(PatternOf(entry));
            } else {
                exact_.emplace(entry.Source, entry.Text);
            }
        }
    }
    // What a message quotes may hold the fixed words of another source; the message's own is the
    // one whose fixed text starts the line, and of those the one with the most fixed text.
    std::stable_sort(patterns_.begin(), patterns_.end(), [](const auto& a, const auto& b) {
        return std::tie(a.FixedStart, a.Fixed) > std::tie(b.FixedStart, b.Fixed);
    });
}

TCatalogue::TPattern TCatalogue::PatternOf(const TTranslation& entry) {
    TPattern pattern{{}, {}, entry.Text, entry.Translated};
    std::string expression;
    for (std::size_t at = 0; at < entry.Source.size(); ++at) {
        if (IsMark(entry.Source, at)) {
            pattern.Marks.push_back(entry.Source[++at] - '0');
            expression += "(.*?)";
        } else {
            expression += EscapeForRegex(entry.Source[at]);
            ++pattern.Fixed;
            pattern.FixedStart += pattern.Marks.empty() ? 1 : 0;
        }
    }
    if (pattern.Fixed == 0) {
        throw std::logic_error("a translation's source is a bare mark");
    }
    pattern.Match = std::regex(expression);
    return pattern;
}

std::optional<std::string> TCatalogue::TranslateLine(std::string_view line) const {
    if (const auto found = exact_.find(line); found != exact_.end()) {
        return std::string(found->second);
    }
    const std::string text(line);
    for (const TPattern& pattern : patterns_) {
        std::smatch groups;
        if (std::regex_match(text, groups, pattern.Match)) {
            return Substitute(pattern, groups);
        }
    }
    return std::nullopt;
}

// Each translated argument is shorter than the line it came from, so the translation ends.
std::string TCatalogue::Substitute(const TPattern& pattern, const std::smatch& groups) const {
    std::string result;
    for (std::size_t at = 0; at < pattern.Text.size(); ++at) {
        if (!IsMark(pattern.Text, at)) {
            result += pattern.Text[at];
            continue;
        }
        const int mark = pattern.Text[++at] - '0';
        for (std::size_t group = 0; group < pattern.Marks.size(); ++group) {
            if (pattern.Marks[group] == mark) {
                const std::string argument = groups[group + 1].str();
                result += pattern.Translated.Has(mark) ? TranslateLine(argument).value_or(argument)
                                                       : argument;
            }
        }
    }
    return result;
}

std::string TCatalogue::Translate(std::string_view text) const {
    if (exact_.empty() && patterns_.empty()) {
        return std::string(text);
    }
    std::string result;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        result += TranslateLine(line).value_or(std::string(line));
        if (end == std::string_view::npos) {
            return result;
        }
        result += '\n';
        start = end + 1;
    }
}

TCatalogue CatalogueFor(TLanguage language,
                        const std::vector<std::span<const TTranslation>>& tables) {
    return language == TLanguage::Ukrainian ? TCatalogue(tables) : TCatalogue();
}
