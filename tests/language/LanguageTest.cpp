#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>
#include <vector>

#include "language/Catalogue.h"
#include "language/Language.h"
#include "protocol/EventCodeTable.h"
#include "protocol/JournalEventTable.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "settings/GprsSettings.h"
#include "testing/RussianOnlyLetters.h"

namespace {

struct TEnvironmentCase {
    const char* Name;
    std::map<std::string, std::string> Variables;
    TLanguage Expected;
};

class LanguageFromEnvironmentTest : public testing::TestWithParam<TEnvironmentCase> {};

TEST_P(LanguageFromEnvironmentTest, FollowsGettextsOrder) {
    const auto& variables = GetParam().Variables;
    const TLanguage language =
        LanguageFromEnvironment([&variables](const char* name) -> std::optional<std::string> {
            const auto found = variables.find(name);
            return found == variables.end() ? std::nullopt : std::optional(found->second);
        });
    EXPECT_EQ(language, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFromEnvironmentTest,
    testing::Values(
        TEnvironmentCase{"nothing_set", {}, TLanguage::Russian},
        TEnvironmentCase{"language_alone", {{"LANGUAGE", "uk"}}, TLanguage::Ukrainian},
        TEnvironmentCase{"language_over_c_locale",
                         {{"LANGUAGE", "uk"}, {"LC_ALL", "C.UTF-8"}},
                         TLanguage::Ukrainian},
        TEnvironmentCase{
            "first_of_ours_in_the_list", {{"LANGUAGE", "de:uk_UA:ru"}}, TLanguage::Ukrainian},
        TEnvironmentCase{"russian_before_ukrainian", {{"LANGUAGE", "ru:uk"}}, TLanguage::Russian},
        TEnvironmentCase{"list_of_others_only_is_not_passed_over",
                         {{"LANGUAGE", "en_GB:de"}, {"LANG", "uk_UA.UTF-8"}},
                         TLanguage::Russian},
        TEnvironmentCase{"empty_language_is_unset",
                         {{"LANGUAGE", ""}, {"LANG", "uk_UA.UTF-8"}},
                         TLanguage::Ukrainian},
        TEnvironmentCase{"lc_all_over_lang",
                         {{"LC_ALL", "ru_UA.UTF-8"}, {"LANG", "uk_UA.UTF-8"}},
                         TLanguage::Russian},
        TEnvironmentCase{"lc_messages_over_lang",
                         {{"LC_MESSAGES", "uk_UA.UTF-8"}, {"LANG", "en_US.UTF-8"}},
                         TLanguage::Ukrainian},
        TEnvironmentCase{"empty_lc_all_is_unset",
                         {{"LC_ALL", ""}, {"LANG", "uk_UA.KOI8-U"}},
                         TLanguage::Ukrainian},
        TEnvironmentCase{"modifier", {{"LANG", "uk_UA@euro"}}, TLanguage::Ukrainian},
        TEnvironmentCase{"not_a_prefix", {{"LANG", "ukr"}}, TLanguage::Russian}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TakeLanguageOptionTest, TakesTheOptionWhereverItStands) {
    const struct {
        std::vector<std::string> Arguments;
        std::optional<TLanguage> Expected;
        std::vector<std::string> Left;
    } cases[] = {
        {{"--lang", "uk", "ports"}, TLanguage::Ukrainian, {"ports"}},
        {{"ports", "--names-only", "--lang=ru"}, TLanguage::Russian, {"ports", "--names-only"}},
        {{"ports", "--lang", "ru", "--lang", "uk"}, TLanguage::Ukrainian, {"ports"}},
        {{"read-settings", "--port", "/dev/lang"},
         std::nullopt,
         {"read-settings", "--port", "/dev/lang"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.Arguments;
        EXPECT_EQ(TakeLanguageOption(arguments), c.Expected);
        EXPECT_EQ(arguments, c.Left);
    }
    for (std::vector<std::string> bad :
         {std::vector<std::string>{"--lang", "en"}, std::vector<std::string>{"ports", "--lang"},
          std::vector<std::string>{"--lang="}}) {
        EXPECT_THROW(TakeLanguageOption(bad), ELanguageOption);
    }
}

// Only the marks declared as the system's own texts are translated; whatever else a message quotes
// stays exactly as given, even where it equals a key or holds the words of another source.
TEST(CatalogueTest, TranslatesTheTemplateAndKeepsWhatItQuotes) {
    static constexpr TTranslation kTable[] = {
        {"Пожар", "Пожежа"},
        {"строка %1: %2", "рядок %1: %2", {2}},
        {"Код в ячейке \"%1\"", "Код у клітинці \"%1\"", {1}},
        {"%2 после %1", "%1, потім %2"},
        {"%1 или --%2", "%1 або --%2", {1, 2}},
        {"код «%1»: %2", "код «%1»: %2", {2}},
    };
    const std::vector<std::span<const TTranslation>> tables{kTable, CoreUkrainian()};
    const TCatalogue catalogue(tables);
    const std::pair<std::string, std::string> cases[] = {
        {"Пожар", "Пожежа"},
        {"строка 7: Код в ячейке \"Пожар\"", "рядок 7: Код у клітинці \"Пожежа\""},
        {"Б после А", "А, потім Б"},
        {"Пожар после Пожар", "Пожар, потім Пожар"},
        {"строка 1: Пожар\nПожар\n", "рядок 1: Пожежа\nПожежа\n"},
        {"Пожар ", "Пожар "},
        {"Помилка звернення до порту", "Помилка звернення до порту"},
        {"строка : ", "рядок : "},
        {"", ""},
        {"'Пожар' is not a valid integer value", "'Пожар' не є правильним цілим числом"},
        {"'строка 1: Пожар' is not a valid integer value",
         "'строка 1: Пожар' не є правильним цілим числом"},
        {"Unable to write to /home/техник/Пожар/Настройки.ini",
         "Не вдалося записати у /home/техник/Пожар/Настройки.ini"},
        {"Файл настроек не найден: Пожар", "Файл налаштувань не знайдено: Пожар"},
        {"Файл настроек не найден: /home/техник/Пожар или --Тревога.ini",
         "Файл налаштувань не знайдено: /home/техник/Пожар или --Тревога.ini"},
        {"строка 25: код «Тревога»: Символ U+1F600 «😀» не имеет представления в кодировке "
         "Windows-1251",
         "рядок 25: код «Тревога»: Символ U+1F600 «😀» не має відповідника в кодуванні "
         "Windows-1251"},
        {"Переход ШС на L2", "Перехід ШС на L2"},
        {"Поле «Номера для SMS оповещения (1)»: Текст не является корректным UTF-8 (байт 3)",
         "Поле «Номери для SMS-сповіщення (1)»: Текст не є коректним UTF-8 (байт 3)"},
        {"Поле «Код объекта» нельзя сохранить в файл настроек: в нём есть символ перевод строки "
         "(0x0A).",
         "Поле «Код об'єкта» не можна зберегти у файл налаштувань: у ньому є символ переведення "
         "рядка (0x0A)."},
    };
    const TCatalogue russian = CatalogueFor(TLanguage::Russian, tables);
    for (const auto& [source, expected] : cases) {
        EXPECT_EQ(catalogue.Translate(source), expected) << source;
        EXPECT_EQ(russian.Translate(source), source);
    }
}

// Every text of the core's tables that the window or the tool shows has its Ukrainian.
TEST(CoreUkrainianTest, CoversEveryTextOfTheTables) {
    std::vector<std::string> texts{std::string(TEventCodeTable::NameHeader), "Номер"};
    TMemoryCodeTableGrid grid;
    for (const TCodeTableKind kind : {TCodeTableKind::Events, TCodeTableKind::Restore}) {
        texts.emplace_back(TEventCodeTable(kind, grid).CodeHeader());
    }
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        texts.emplace_back(TEventCodeTable::RowName(row));
    }
    for (const TJournalEventKind& event : JournalEventTable) {
        texts.emplace_back(event.Text);
    }
    for (const TTextFieldInfo& field : TextFields) {
        texts.emplace_back(field.Label);
    }
    const TCatalogue catalogue({CoreUkrainian()});
    for (const std::string& text : texts) {
        const std::optional<std::string> translated = catalogue.TranslateLine(text);
        ASSERT_TRUE(translated.has_value()) << text;
        EXPECT_FALSE(HasRussianOnlyLetter(*translated)) << *translated;
    }
    for (const TTranslation& entry : CoreUkrainian()) {
        EXPECT_FALSE(HasRussianOnlyLetter(std::string(entry.Text))) << entry.Text;
    }
}

}  // namespace
