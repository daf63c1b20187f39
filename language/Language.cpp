#include "language/Language.h"

namespace {

constexpr std::string_view kOption = "--lang";

std::optional<std::string_view> NonEmpty(const std::optional<std::string>& value) {
    if (!value || value->empty()) {
        return std::nullopt;
    }
    return std::string_view(*value);
}

// The first language of a LANGUAGE list we speak; Russian, in which the texts are written, for a
// list of others only.
TLanguage FirstOfList(std::string_view list) {
    for (std::string_view rest = list; !rest.empty();) {
        const std::size_t colon = rest.find(':');
        if (const auto language = LanguageOfLocale(rest.substr(0, colon))) {
            return *language;
        }
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return TLanguage::Russian;
}

}  // namespace

std::optional<TLanguage> LanguageByCode(std::string_view code) {
    if (code == "uk") {
        return TLanguage::Ukrainian;
    }
    if (code == "ru") {
        return TLanguage::Russian;
    }
    return std::nullopt;
}

std::optional<TLanguage> LanguageOfLocale(std::string_view locale) {
    return LanguageByCode(locale.substr(0, locale.find_first_of("_.@")));
}

TLanguage LanguageFromEnvironment(
    const std::function<std::optional<std::string>(const char*)>& variable) {
    const std::optional<std::string> list = variable("LANGUAGE");
    if (const auto languages = NonEmpty(list)) {
        return FirstOfList(*languages);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::optional<std::string> value = variable(name);
        if (const auto locale = NonEmpty(value)) {
            return LanguageOfLocale(*locale).value_or(TLanguage::Russian);
        }
    }
    return TLanguage::Russian;
}

std::optional<TLanguage> TakeLanguageOption(std::vector<std::string>& arguments) {
    std::optional<TLanguage> chosen;
    for (auto argument = arguments.begin(); argument != arguments.end();) {
        std::string code;
        auto end = argument + 1;
        if (*argument == kOption) {
            if (end == arguments.end()) {
                throw ELanguageOption("у --lang нет значения");
            }
            code = *end++;
        } else if (argument->rfind(std::string(kOption) + "=", 0) == 0) {
            code = argument->substr(kOption.size() + 1);
        } else {
            ++argument;
            continue;
        }
        chosen = LanguageByCode(code);
        if (!chosen) {
            throw ELanguageOption("--lang принимает uk или ru, а не «" + code + "»");
        }
        argument = arguments.erase(argument, end);
    }
    return chosen;
}
