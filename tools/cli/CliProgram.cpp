#include "tools/cli/CliProgram.h"

#include "language/Catalogue.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliUkrainian.h"

namespace {

TCatalogue CliCatalogue(TLanguage language) {
    return CatalogueFor(language, {CoreUkrainian(), CliUkrainian()});
}

int RunInLanguage(const std::vector<std::string>& arguments, TLanguage language, std::ostream& out,
                  std::ostream& err) {
    const TCatalogue catalogue = CliCatalogue(language);
    try {
        TCliOptions options = ParseCliArguments(arguments);
        options.Language = language;
        if (options.Help != THelp::None) {
            out << catalogue.Translate(HelpText(
                options.Help == THelp::Command ? std::optional(options.Command) : std::nullopt));
            return 0;
        }
        RunCommand(options, out);
        out.flush();
        return out ? 0 : 1;
    } catch (const EUsage& error) {
        err << "irven-cli: " << catalogue.Translate(error.what()) << "\n"
            << catalogue.Translate(UsageText(error.Command()));
        return 2;
    } catch (const std::exception& error) {
        err << catalogue.Translate(error.what()) << "\n";
        return 1;
    }
}

}  // namespace

int RunCliProgram(std::vector<std::string> arguments, TLanguage systemLanguage, std::ostream& out,
                  std::ostream& err) {
    std::optional<TLanguage> chosen;
    try {
        chosen = TakeLanguageOption(arguments);
    } catch (const ELanguageOption& error) {
        const TCatalogue catalogue = CliCatalogue(systemLanguage);
        err << "irven-cli: " << catalogue.Translate(error.what()) << "\n"
            << catalogue.Translate(UsageText(std::nullopt));
        return 2;
    }
    return RunInLanguage(arguments, chosen.value_or(systemLanguage), out, err);
}
