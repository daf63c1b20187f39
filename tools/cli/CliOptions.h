#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "language/Language.h"
#include "protocol/DownloadJournal.h"
#include "serial/LineSpeeds.h"
#include "settings/GprsSettings.h"

enum class TCliCommand {
    Ports,
    ReadSettings,
    ShowSettings,
    WriteSettings,
    ReadCodes,
    WriteCodes,
    ReadJournal,
};

enum class TCodeTableChoice { Events, Restore };

// A command line that does not make sense: the tool prints the message and the usage, and exits 2.
class EUsage : public std::runtime_error {
  public:
    EUsage(const std::string& message, std::optional<TCliCommand> command)
        : std::runtime_error(message), command_(command) {}
    std::optional<TCliCommand> Command() const { return command_; }

  private:
    std::optional<TCliCommand> command_;
};

// --help alone describes the tool; with a command, that command.
enum class THelp { None, Tool, Command };

struct TCliOptions {
    TCliCommand Command = TCliCommand::Ports;
    THelp Help = THelp::None;
    std::string Port;
    TBaudRate BaudRate = kInitialLineSpeed;
    std::string IniPath;
    bool SmsMode = false;
    bool GprsMode = true;
    TTransport Sim1Transport = TTransport::TCP;
    TTransport Sim2Transport = TTransport::UDP;
    TCodeTableChoice Table = TCodeTableChoice::Events;
    // Codes as typed (UTF-8), one per row; filled by write-codes --codes.
    std::vector<std::string> Codes;
    // The code table as CSV: read by write-codes --from, written by read-codes --out.
    std::string CodesFromPath;
    std::string CodesOutPath;
    // The panel's settings saved before write-settings writes.
    std::string BackupPath;
    // Every write and read of the port, as JSON lines; empty for none.
    std::string TracePath;
    // The journal count as the page's field holds it: text, converted by the exchange.
    std::string JournalCount = kInitialJournalCount;
    bool Csv = false;
    bool NamesOnly = false;
    // The language of what the tool says to people; values and files stay as they are.
    TLanguage Language = TLanguage::Russian;
};

// The arguments after the program name. Throws EUsage.
TCliOptions ParseCliArguments(const std::vector<std::string>& arguments);

const char* CommandName(TCliCommand command);
// The short usage printed under a usage error: the command's synopsis, or every synopsis.
std::string UsageText(std::optional<TCliCommand> command);
// What --help prints: the usage with a description of what the command does.
std::string HelpText(std::optional<TCliCommand> command);
