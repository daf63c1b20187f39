#pragma once

#include <optional>
#include <regex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "language/Language.h"
#include "language/Marks.h"

// One text and its translation. The source may hold the marks %1 to %9, each standing for any
// text of the line; the translation puts the same text where it has the mark. That text is what
// the message quotes (a value, a path, a number, an argument) and stays exactly as given, unless
// the mark is one of Translated: a text of the system's own, such as a message inside another or
// the name of a field, which is translated in turn.
struct TTranslation {
    std::string_view Source;
    std::string_view Text;
    TMarks Translated{};
};

// Translates texts line by line through tables keyed by the Russian source. A line no entry
// matches stays as it is, so a text that is already Ukrainian, a name or a number passes through.
class TCatalogue {
  public:
    // The catalogue that leaves every text as it is: Russian, the language texts are written in.
    TCatalogue() = default;
    explicit TCatalogue(const std::vector<std::span<const TTranslation>>& tables);

    std::string Translate(std::string_view text) const;
    // The line's translation; nothing when no entry matches it.
    std::optional<std::string> TranslateLine(std::string_view line) const;

  private:
    struct TPattern {
        std::regex Match;
        // The mark of each group of Match, in order.
        std::vector<int> Marks;
        std::string_view Text;
        TMarks Translated;
        // The bytes of the source before its first mark, and outside its marks.
        std::size_t FixedStart = 0;
        std::size_t Fixed = 0;
    };

    static TPattern PatternOf(const TTranslation& entry);

    std::string Substitute(const TPattern& pattern, const std::smatch& groups) const;

    std::unordered_map<std::string_view, std::string_view> exact_;
    std::vector<TPattern> patterns_;
};

// The Ukrainian of the core libraries' texts: their messages, the names of the code tables' rows,
// the journal's events, the settings fields and the port descriptions.
std::span<const TTranslation> CoreUkrainian();

// The catalogue for the language: the tables given, or nothing to translate for Russian.
TCatalogue CatalogueFor(TLanguage language,
                        const std::vector<std::span<const TTranslation>>& tables);
