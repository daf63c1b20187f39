#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "serial/SerialPort.h"
#include "testing/FakeClock.h"
#include "testing/FakeSerialDriver.h"
#include "tools/cli/SettingsBackup.h"

namespace {

// The bar as the tool would draw it: every position it was moved to.
class TRecordedBar final : public TProgressIndicator {
  public:
    int Position() const override { return shown_.empty() ? 0 : shown_.back(); }
    void SetPosition(int position) override { shown_.push_back(position); }
    const std::vector<int>& Shown() const { return shown_; }

  private:
    std::vector<int> shown_;
};

struct TBackupRun {
    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    TSerialPort Port{Driver};
    TRecordedBar Bar;
    TStagedProgress Progress{Bar};
    TFakeClock Clock;
    TDeviceLink Link{Port, Progress, Clock};
    std::optional<TMemorySettingsStore> Saved;

    // A panel that answers every query with its code ("?S1;" with "S1") unless told otherwise.
    explicit TBackupRun(std::function<void(TBackupRun&, const ByteString&)> panel) {
        Driver->OnWrite = [this, panel](const ByteString& frame) { panel(*this, frame); };
        Port.SetPort("COM1");
        Port.Open();
    }

    bool OnlyQueriesSent() const {
        const std::vector<ByteString> writes = Driver->State().Writes;
        return std::all_of(writes.begin(), writes.end(),
                           [](const ByteString& w) { return w.front() == '?'; });
    }
};

void Answering(TBackupRun& run, const ByteString& frame) {
    if (frame.front() == '?') {
        run.Driver->Feed(frame.substr(1, frame.size() - 2));
    }
}

const struct {
    const char* Name;
    std::function<void(TBackupRun&, const ByteString&)> Panel;
    bool SaveFails;
    const char* Error;  // nullptr when the write goes through
} kCases[] = {
    {"answering panel", Answering, false, nullptr},
    {"silent panel", [](TBackupRun&, const ByteString&) {}, false, "не ответил"},
    {"save fails", Answering, true, "Unable to write to /ro/before.ini"},
    {"cable pulled during the read",
     [](TBackupRun& run, const ByteString& frame) {
         Answering(run, frame);
         if (frame == "?L1;") {
             run.Driver->HangUp();
         }
     },
     false, "Помилка"},
};

TEST(SettingsBackup, NothingIsWrittenUnlessTheBackupWasSaved) {
    for (const auto& c : kCases) {
        TBackupRun run(c.Panel);
        const TMemorySettingsStore settings;
        const auto save = [&](const TSettingsStore& backup) {
            if (c.SaveFails) {
                throw std::runtime_error("Unable to write to /ro/before.ini");
            }
            run.Saved.emplace(dynamic_cast<const TMemorySettingsStore&>(backup));
        };
        try {
            WriteSettingsAfterBackup(run.Link, run.Progress, settings, save);
            EXPECT_EQ(c.Error, nullptr) << c.Name;
        } catch (const std::exception& error) {
            ASSERT_NE(c.Error, nullptr) << c.Name << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find(c.Error), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("ничего не записано"), std::string::npos);
            EXPECT_TRUE(run.OnlyQueriesSent()) << c.Name;
            EXPECT_FALSE(run.Saved) << c.Name;
            continue;
        }
        ASSERT_TRUE(run.Saved);
        EXPECT_EQ(run.Saved->Text(TTextField::Sim1ServerAddress), "S1");
        EXPECT_EQ(run.Saved->Text(TTextField::SmsNumber2), "M2");
        EXPECT_EQ(run.Driver->State().Writes.back(), "!WR;");
        // The read fills the first half of the bar and the write the second; it never moves back.
        const std::vector<int>& shown = run.Bar.Shown();
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
        EXPECT_NE(std::find(shown.begin(), shown.end(), 50), shown.end());
        EXPECT_EQ(shown.back(), 100);
    }
}

}  // namespace
