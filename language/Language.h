#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The languages the interface speaks: Russian, in which every text is written, and Ukrainian.
enum class TLanguage { Russian, Ukrainian };

// "--lang" given a code other than uk or ru, or no code at all.
class ELanguageOption : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "uk" or "ru"; nothing for any other code.
std::optional<TLanguage> LanguageByCode(std::string_view code);

// The language a locale name such as "uk_UA.UTF-8" or "uk" asks for: nothing for a language we
// do not speak.
std::optional<TLanguage> LanguageOfLocale(std::string_view locale);

// The interface language of a POSIX environment, read through `variable` (unset is nothing), in
// gettext's order: a LANGUAGE list decides when set, by its first entry we speak; else the first
// of LC_ALL, LC_MESSAGES and LANG that is set. Russian when the one deciding is none of ours.
// Unlike gettext, LANGUAGE counts under the C locale too, so that "LANGUAGE=uk program" works on
// a machine without a Ukrainian locale.
TLanguage LanguageFromEnvironment(
    const std::function<std::optional<std::string>(const char*)>& variable);

// The system's interface language: the environment on Linux, the user's interface language on
// Windows.
TLanguage SystemLanguage();

// Takes "--lang CODE" or "--lang=CODE" out of the arguments, wherever it stands. Throws
// ELanguageOption for a code that is neither uk nor ru.
std::optional<TLanguage> TakeLanguageOption(std::vector<std::string>& arguments);

// The option's own line for a usage text.
inline constexpr std::string_view LanguageOptionUsage = "--lang uk|ru";
