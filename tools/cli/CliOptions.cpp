#include "tools/cli/CliOptions.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string_view>

#include "language/Language.h"
#include "protocol/EventCodeTable.h"
#include "tools/cli/Utf8Path.h"

namespace {

struct TCommandInfo {
    TCliCommand Command;
    const char* Name;
    std::set<std::string_view> Allowed;
    std::set<std::string_view> Required;
    // Exactly one of these must be given.
    std::set<std::string_view> OneOf;
    const char* Synopsis;
    const char* Description;
    // The command prints values the panel or a file holds, escaped by EscapeForLine.
    bool PrintsValues = false;
};

constexpr const char* kEscapeNote =
    "Управляющие символы значений (0x00–0x1F, 0x7F, U+0080–U+009F) печатаются как \\xHH,\n"
    "обратная косая черта — как \\\\; так каждое значение остаётся в своей строке.\n";

constexpr const char* kTraceNote =
    "  --trace FILE   дописывает в FILE строку JSON на каждый записанный кадр и на каждое\n"
    "                 чтение порта: {\"t\", \"dir\" (tx|rx), \"hex\", \"kind\", \"name\"}.\n";

const std::array<TCommandInfo, 7>& Commands() {
    static const std::array<TCommandInfo, 7> commands{{
        {TCliCommand::Ports,
         "ports",
         {"names-only"},
         {},
         {},
         "ports [--names-only]",
         "Печатает последовательные порты компьютера, по одному в строке: имя, затем через\n"
         "табуляцию то, что система сообщает об устройстве (изделие и изготовитель\n"
         "USB-адаптера или «встроенный последовательный порт»; в Windows — имя устройства\n"
         "из диспетчера устройств), если она что-то сообщает. Нет портов — нет строк.\n"
         "  --names-only   только имена, для сценариев.\n",
         true},
        {TCliCommand::ReadSettings,
         "read-settings",
         {"port", "baud", "ini", "trace"},
         {"port"},
         {},
         "read-settings --port P [--baud RATE] [--ini FILE] [--trace FILE]",
         "Читает настройки GPRS из прибора и печатает шестнадцать строк «Имя=значение».\n"
         "  --ini FILE     сохраняет двенадцать текстовых полей в файл настроек FILE.\n",
         true},
        {TCliCommand::ShowSettings,
         "show-settings",
         {"ini"},
         {"ini"},
         {},
         "show-settings --ini FILE",
         "Печатает двенадцать текстовых полей файла настроек FILE так, как их показало бы\n"
         "окно после открытия файла (номера SMS в кавычках). Порт не нужен.\n",
         true},
        {TCliCommand::WriteSettings,
         "write-settings",
         {"port", "baud", "ini", "sms", "gprs", "sim1", "sim2", "backup", "trace"},
         {"port", "ini"},
         {},
         "write-settings --port P [--baud RATE] --ini FILE [--sms on|off] [--gprs on|off]\n"
         "                                [--sim1 tcp|udp] [--sim2 tcp|udp] [--backup FILE]\n"
         "                                [--trace FILE]",
         "Записывает в прибор двенадцать текстовых полей файла настроек FILE, режимы и\n"
         "протоколы из параметров (по умолчанию SMS off, GPRS on, SIM 1 tcp, SIM 2 udp),\n"
         "затем подтверждает запись командой «!WR;».\n"
         "  --backup FILE  сначала читает настройки прибора и сохраняет их в файл настроек\n"
         "                 FILE; если прибор не ответил или файл не сохранён, в прибор\n"
         "                 ничего не записывается (код выхода 1).\n"},
        {TCliCommand::ReadCodes,
         "read-codes",
         {"port", "baud", "table", "out", "trace"},
         {"port", "table"},
         {},
         "read-codes --port P [--baud RATE] --table events|restore [--out FILE] [--trace FILE]",
         "Читает таблицу кодов событий (events) или восстановления (restore) и печатает\n"
         "25 строк «строка<TAB>событие<TAB>код».\n"
         "  --out FILE     сохраняет таблицу в FILE: CSV в UTF-8 с меткой порядка байтов,\n"
         "                 заголовок «row,event,code», затем строка, событие и код; значения\n"
         "                 в нём не экранируются.\n",
         true},
        {TCliCommand::WriteCodes,
         "write-codes",
         {"port", "baud", "table", "codes", "from", "trace"},
         {"port", "table"},
         {"codes", "from"},
         "write-codes --port P [--baud RATE] --table events|restore\n"
         "                             (--codes C1,C2,…,C25 | --from FILE) [--trace FILE]",
         "Записывает в прибор 25 кодов таблицы; каждый код — ровно 3 символа.\n"
         "  --from FILE    берёт коды из CSV, как его пишет read-codes --out: с меткой порядка\n"
         "                 байтов или без неё, разделитель «,» или «;», первая строка —\n"
         "                 заголовок, затем ровно строки таблицы 1–25 по порядку.\n"},
        {TCliCommand::ReadJournal,
         "read-journal",
         {"port", "baud", "count", "csv", "trace"},
         {"port"},
         {},
         "read-journal --port P [--baud RATE] [--count N] [--csv] [--trace FILE]",
         "Читает журнал событий и печатает первые N записей (по умолчанию 20):\n"
         "«номер<TAB>код<TAB>событие<TAB>цвет», цвет как #rrggbb или highlight.\n"
         "  --csv          то же в формате CSV со строкой заголовка (без экранирования).\n",
         true},
    }};
    return commands;
}

const TCommandInfo& InfoOf(TCliCommand command) {
    for (const TCommandInfo& info : Commands()) {
        if (info.Command == command) {
            return info;
        }
    }
    throw std::logic_error("unknown command");
}

bool IsFlag(std::string_view option) {
    return option == "csv" || option == "names-only";
}

TBaudRate ParseBaud(const std::string& text, TCliCommand command) {
    for (size_t i = 0; i < kLineSpeeds.size(); ++i) {
        if (text == std::to_string(kLineSpeeds[i])) {
            return static_cast<TBaudRate>(i);
        }
    }
    throw EUsage("недопустимая скорость «" + text + "»", command);
}

bool ParseOnOff(const std::string& option, const std::string& text, TCliCommand command) {
    if (text == "on") {
        return true;
    }
    if (text == "off") {
        return false;
    }
    throw EUsage("--" + option + " принимает on или off, а не «" + text + "»", command);
}

TTransport ParseTransport(const std::string& option, const std::string& text, TCliCommand command) {
    if (text == "tcp") {
        return TTransport::TCP;
    }
    if (text == "udp") {
        return TTransport::UDP;
    }
    throw EUsage("--" + option + " принимает tcp или udp, а не «" + text + "»", command);
}

TCodeTableChoice ParseTable(const std::string& text, TCliCommand command) {
    if (text == "events") {
        return TCodeTableChoice::Events;
    }
    if (text == "restore") {
        return TCodeTableChoice::Restore;
    }
    throw EUsage("--table принимает events или restore, а не «" + text + "»", command);
}

std::vector<std::string> SplitCodes(const std::string& text, TCliCommand command) {
    std::vector<std::string> codes;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        codes.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (codes.size() != TEventCodeTable::Rows) {
        throw EUsage(
            "--codes ждёт 25 кодов через запятую, получено " + std::to_string(codes.size()),
            command);
    }
    return codes;
}

TCliCommand CommandByName(const std::string& name) {
    for (const TCommandInfo& info : Commands()) {
        if (name == info.Name) {
            return info.Command;
        }
    }
    throw EUsage("неизвестная команда «" + name + "»", std::nullopt);
}

void Apply(TCliOptions& options, const std::string& option, const std::string& value) {
    const TCliCommand command = options.Command;
    if (option == "port") {
        options.Port = value;
    } else if (option == "baud") {
        options.BaudRate = ParseBaud(value, command);
    } else if (option == "ini") {
        options.IniPath = value;
    } else if (option == "sms") {
        options.SmsMode = ParseOnOff(option, value, command);
    } else if (option == "gprs") {
        options.GprsMode = ParseOnOff(option, value, command);
    } else if (option == "sim1") {
        options.Sim1Transport = ParseTransport(option, value, command);
    } else if (option == "sim2") {
        options.Sim2Transport = ParseTransport(option, value, command);
    } else if (option == "table") {
        options.Table = ParseTable(value, command);
    } else if (option == "codes") {
        options.Codes = SplitCodes(value, command);
    } else if (option == "from") {
        options.CodesFromPath = value;
    } else if (option == "out") {
        options.CodesOutPath = value;
    } else if (option == "backup") {
        options.BackupPath = value;
    } else if (option == "trace") {
        options.TracePath = value;
    } else if (option == "count") {
        options.JournalCount = value;
    } else if (option == "csv") {
        options.Csv = true;
    } else if (option == "names-only") {
        options.NamesOnly = true;
    }
}

// Options come as "--name value" or "--name=value"; --csv and --names-only take no value.
std::map<std::string, std::string> CollectOptions(const std::vector<std::string>& arguments,
                                                  const TCommandInfo& info) {
    std::map<std::string, std::string> given;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0 || argument.size() == 2) {
            throw EUsage("лишний аргумент «" + argument + "»", info.Command);
        }
        std::string name = argument.substr(2);
        std::optional<std::string> value;
        if (const size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (info.Allowed.count(name) == 0) {
            throw EUsage("команда " + std::string(info.Name) + " не знает параметра --" + name,
                         info.Command);
        }
        if (IsFlag(name)) {
            if (value) {
                throw EUsage("--" + name + " не принимает значения", info.Command);
            }
            value = "";
        } else if (!value) {
            if (i + 1 == arguments.size()) {
                throw EUsage("у --" + name + " нет значения", info.Command);
            }
            value = arguments[++i];
        }
        given[name] = *value;
    }
    return given;
}

std::string JoinOptions(const std::set<std::string_view>& names) {
    std::string joined;
    for (std::string_view name : names) {
        joined += (joined.empty() ? "" : " или --") + std::string(name);
    }
    return joined;
}

std::string SpeedsText() {
    return "одна из скоростей " + std::to_string(kLineSpeeds.front()) + " … " +
           std::to_string(kLineSpeeds.back()) + " (по умолчанию " +
           std::to_string(BaudRateValue(kInitialLineSpeed)) + ").\n";
}

// A backup saved over the file about to be written would replace the technician's new settings
// with the panel's old ones before they reach the panel.
void RefuseBackupOverIni(const TCliOptions& options) {
    if (options.BackupPath.empty() || options.IniPath.empty()) {
        return;
    }
    std::error_code unknown;
    if (options.BackupPath == options.IniPath ||
        std::filesystem::equivalent(Utf8Path(options.BackupPath), Utf8Path(options.IniPath),
                                    unknown)) {
        throw EUsage("--backup и --ini называют один файл «" + options.IniPath +
                         "»: резервная копия заменила бы новые настройки",
                     options.Command);
    }
}

bool WantsHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

}  // namespace

TCliOptions ParseCliArguments(const std::vector<std::string>& arguments) {
    TCliOptions options;
    if (arguments.empty()) {
        throw EUsage("не указана команда", std::nullopt);
    }
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        options.Help = THelp::Tool;
        if (arguments.size() > 1) {
            options.Command = CommandByName(arguments[1]);
            options.Help = THelp::Command;
        }
        return options;
    }
    options.Command = CommandByName(arguments[0]);
    if (WantsHelp(arguments)) {
        options.Help = THelp::Command;
        return options;
    }
    const TCommandInfo& info = InfoOf(options.Command);
    const std::map<std::string, std::string> given = CollectOptions(arguments, info);
    for (std::string_view required : info.Required) {
        if (given.count(std::string(required)) == 0) {
            throw EUsage("не указан параметр --" + std::string(required), options.Command);
        }
    }
    if (!info.OneOf.empty() &&
        std::count_if(info.OneOf.begin(), info.OneOf.end(), [&given](std::string_view name) {
            return given.count(std::string(name)) != 0;
        }) != 1) {
        throw EUsage("укажите один из параметров --" + JoinOptions(info.OneOf), options.Command);
    }
    for (const auto& [name, value] : given) {
        Apply(options, name, value);
    }
    RefuseBackupOverIni(options);
    return options;
}

const char* CommandName(TCliCommand command) {
    return InfoOf(command).Name;
}

std::string UsageText(std::optional<TCliCommand> command) {
    if (command) {
        return "Использование: irven-cli " + std::string(InfoOf(*command).Synopsis) + "\n";
    }
    std::string text = "Использование: irven-cli КОМАНДА [ПАРАМЕТРЫ]\n";
    for (const TCommandInfo& info : Commands()) {
        text += "  irven-cli " + std::string(info.Synopsis) + "\n";
    }
    text += "RATE: " + SpeedsText();
    text += std::string(LanguageOptionUsage) +
            ": язык сообщений, украинский или русский (по умолчанию язык системы).\n";
    text += "«irven-cli КОМАНДА --help» описывает команду.\n";
    return text;
}

std::string HelpText(std::optional<TCliCommand> command) {
    if (!command) {
        return UsageText(std::nullopt);
    }
    const TCommandInfo& info = InfoOf(*command);
    std::string text = UsageText(command) + "\n" + info.Description;
    if (info.Allowed.count("baud") != 0) {
        text += "  --baud RATE    " + SpeedsText();
    }
    if (info.Allowed.count("trace") != 0) {
        text += kTraceNote;
    }
    if (info.PrintsValues) {
        text += kEscapeNote;
    }
    text += "Код выхода: 0 — успех, 1 — ошибка обмена, 2 — ошибка в командной строке.\n";
    return text;
}
