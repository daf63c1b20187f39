#include "protocol/ReadSettings.h"

#include <array>
#include <optional>

#include "protocol/ReplyDecoders.h"

namespace {

constexpr int32_t kOpeningFlushSize = 100;
constexpr int kPollAttempts = 5;

struct TTextQuery {
    const char* Query;
    TTextField Field;
};

// The panel receives the queries in exactly this order.
constexpr std::array<TTextQuery, 11> kTextQueries = {{
    {"?S1;", TTextField::Sim1ServerAddress},
    {"?S2;", TTextField::Sim2ServerAddress},
    {"?A1;", TTextField::Sim1Apn},
    {"?A2;", TTextField::Sim2Apn},
    {"?L1;", TTextField::Sim1LocalPort},
    {"?L2;", TTextField::Sim2LocalPort},
    {"?P1;", TTextField::Sim1ServerPort},
    {"?P2;", TTextField::Sim2ServerPort},
    {"?OC;", TTextField::ObjectCode},
    {"?M1;", TTextField::SmsNumber1},
    {"?M2;", TTextField::SmsNumber2},
}};

void ReadTextSettings(TDeviceLink& link, TSettingsStore& settings) {
    for (const TTextQuery& query : kTextQueries) {
        settings.SetText(query.Field, DecodeTextReply(link.QueryValue(query.Query)));
        link.AdvanceProgress();
    }
}

// Polls until the first non-empty reply, at most five times, and hands that reply to `apply`.
template <typename Apply>
void PollUntilAnswered(TDeviceLink& link, const ByteString& query, Apply apply) {
    link.SendCommand(query);
    for (int attempt = 0; attempt < kPollAttempts; ++attempt) {
        const ByteString& reply = link.PollReply();
        if (!reply.empty()) {
            apply(reply);
            return;
        }
    }
}

// Always polls five times; every reply is decoded in turn, so the last usable one wins.
template <typename Apply>
void PollAllAttempts(TDeviceLink& link, const ByteString& query, Apply apply) {
    link.SendCommand(query);
    for (int attempt = 0; attempt < kPollAttempts; ++attempt) {
        apply(link.PollReply());
    }
}

void ReadPeriod(TDeviceLink& link, TSettingsStore& settings) {
    PollUntilAnswered(link, "?PT;", [&](const ByteString& reply) {
        if (const std::optional<ByteString> period = DecodePeriodReply(reply)) {
            settings.SetText(TTextField::TestPeriod, *period);
        }
    });
}

void ReadSmsMode(TDeviceLink& link, TSettingsStore& settings) {
    PollUntilAnswered(link, "?MR;", [&](const ByteString& reply) {
        if (const std::optional<bool> on = DecodeModeReply(reply)) {
            settings.SetSmsMode(*on);
        }
    });
}

void ReadGprsMode(TDeviceLink& link, TSettingsStore& settings) {
    PollAllAttempts(link, "?GP;", [&](const ByteString& reply) {
        if (const std::optional<bool> on = DecodeModeReply(reply)) {
            settings.SetGprsMode(*on);
        }
    });
}

void ReadTransport(TDeviceLink& link, TSettingsStore& settings, const ByteString& query, TSim sim) {
    PollAllAttempts(link, query, [&](const ByteString& reply) {
        if (const std::optional<TTransport> transport = DecodeTransportReply(reply)) {
            settings.SetTransport(sim, *transport);
        }
    });
}

// The panel's answer to the closing query has no use; it is read only to take it off the line.
void CloseReading(TDeviceLink& link) {
    PollAllAttempts(link, "?BD;", [](const ByteString&) {});
}

}  // namespace

void ReadSettings(TDeviceLink& link, TSettingsStore& settings) {
    link.FlushInput(link.ReplyBuffer, kOpeningFlushSize);
    link.Progress().SetPosition(5);
    ReadTextSettings(link, settings);
    ReadPeriod(link, settings);
    link.AdvanceProgress();
    ReadSmsMode(link, settings);
    link.AdvanceProgress();
    ReadGprsMode(link, settings);
    link.AdvanceProgress();
    ReadTransport(link, settings, "?T1;", TSim::Sim1);
    link.AdvanceProgress();
    ReadTransport(link, settings, "?T2;", TSim::Sim2);
    link.Progress().SetPosition(100);
    CloseReading(link);
    link.Progress().SetPosition(0);
}
