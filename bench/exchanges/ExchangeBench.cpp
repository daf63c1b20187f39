#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "protocol/DownloadCodeTable.h"
#include "protocol/DownloadJournal.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/ReadSettings.h"
#include "protocol/UploadCodeTable.h"
#include "protocol/WriteSettings.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "protocol/memory/MemoryJournalGrid.h"
#include "serial/SerialPort.h"
#include "testing/PanelSim.h"

namespace {

constexpr double kTargetRatio = 1.02;

struct TExchange {
    const char* Name;
    double WaitSeconds;  // the protocol's fixed waits when the panel answers at once
    int Runs;
    std::function<void(TDeviceLink&)> Run;
};

struct TMeasure {
    double Mean = 0;
    double Worst = 0;
};

TMeasure Measure(const TExchange& exchange, TDeviceLink& link) {
    TMeasure measure;
    for (int run = 0; run < exchange.Runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        exchange.Run(link);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        measure.Mean += wall.count() / exchange.Runs;
        measure.Worst = std::max(measure.Worst, wall.count());
    }
    return measure;
}

std::vector<TExchange> Exchanges(int settingsRuns, int shortRuns) {
    return {
        {"settings write", 8.5, settingsRuns,
         [](TDeviceLink& link) { WriteSettings(link, TMemorySettingsStore()); }},
        {"settings read", 9.9, settingsRuns,
         [](TDeviceLink& link) {
             TMemorySettingsStore settings;
             ReadSettings(link, settings);
         }},
        {"code download", 0.8, shortRuns,
         [](TDeviceLink& link) {
             TMemoryCodeTableGrid grid;
             TEventCodeTable table(TCodeTableKind::Events, grid);
             DownloadCodeTable(link, table);
         }},
        {"code upload", 0.1, shortRuns,
         [](TDeviceLink& link) {
             TMemoryCodeTableGrid grid;
             TEventCodeTable table(TCodeTableKind::Restore, grid);
             LoadDefaultCodes(table);
             UploadCodeTable(link, table);
         }},
        {"journal download", 0.25, shortRuns,
         [](TDeviceLink& link) {
             TMemoryJournalGrid grid;
             DownloadJournal(link, grid, "20");
         }},
    };
}

int RunsOption(char** argv, int argc, const std::string& name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) {
            return std::max(1, std::atoi(argv[i + 1]));
        }
    }
    return fallback;
}

}  // namespace

// Options: --settings-runs N (default 1), --short-runs N (default 10).
int main(int argc, char** argv) try {
    const int settingsRuns = RunsOption(argv, argc, "--settings-runs", 1);
    const int shortRuns = RunsOption(argv, argc, "--short-runs", 10);

    TPanelSim panel;
    TSerialPort port;
    port.SetPort(panel.Path());
    port.SetBaudRate(br115200);
    port.Open();
    TPlainProgress progress;
    TSystemClock clock;
    TDeviceLink link(port, progress, clock);

    std::printf("%-17s %5s %10s %10s %10s %8s %8s\n", "exchange", "runs", "mean s", "worst s",
                "waits s", "ratio", "worst");
    bool met = true;
    for (const TExchange& exchange : Exchanges(settingsRuns, shortRuns)) {
        const TMeasure measure = Measure(exchange, link);
        const double ratio = measure.Mean / exchange.WaitSeconds;
        met = met && ratio <= kTargetRatio;
        std::printf("%-17s %5d %10.4f %10.4f %10.2f %8.4f %8.4f\n", exchange.Name, exchange.Runs,
                    measure.Mean, measure.Worst, exchange.WaitSeconds, ratio,
                    measure.Worst / exchange.WaitSeconds);
    }
    std::printf("target: every ratio (mean wall time / waits) at most %.2f: %s\n", kTargetRatio,
                met ? "met" : "MISSED");
    return met ? 0 : 1;
} catch (const std::exception& error) {
    std::fprintf(stderr, "bench-exchanges: %s\n", error.what());
    return 2;
}
