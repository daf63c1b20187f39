#include <gtest/gtest.h>

#include <set>

#include "settings/GprsSettings.h"

namespace {

TEST(MemorySettingsStore, StartsWithTheDefaults) {
    const TMemorySettingsStore store;
    EXPECT_EQ(store.Text(TTextField::ObjectCode), "2222");
    EXPECT_EQ(store.Text(TTextField::TestPeriod), "5");
    for (TTextField sms : {TTextField::SmsNumber1, TTextField::SmsNumber2}) {
        const ByteString number = store.Text(sms);
        ASSERT_EQ(number.size(), 15u);
        EXPECT_EQ(number.substr(0, 5), "\"+380");
        EXPECT_EQ(number.back(), '"');
        EXPECT_EQ(number.find_first_not_of("0123456789", 5), 14u);
    }
    EXPECT_EQ(store.Text(TTextField::Sim1ServerAddress), store.Text(TTextField::Sim2ServerAddress));
    EXPECT_EQ(store.Text(TTextField::Sim1ServerPort), "7789");
    EXPECT_EQ(store.Text(TTextField::Sim2LocalPort), "7790");
    EXPECT_FALSE(store.SmsMode());
    EXPECT_TRUE(store.GprsMode());
    EXPECT_EQ(store.Transport(TSim::Sim1), TTransport::TCP);
    EXPECT_EQ(store.Transport(TSim::Sim2), TTransport::UDP);
}

// Each field has a place of its own: writing one changes no other.
TEST(MemorySettingsStore, EachTextFieldIsItsOwn) {
    TMemorySettingsStore store;
    for (const TTextFieldInfo& info : TextFields) {
        store.SetText(info.Field, ByteString(info.Name));
    }
    std::set<std::string_view> names;
    for (const TTextFieldInfo& info : TextFields) {
        EXPECT_EQ(store.Text(info.Field), info.Name);
        EXPECT_EQ(&FieldInfo(info.Field), &info);
        names.insert(info.Control);
    }
    EXPECT_EQ(names.size(), TextFields.size());
    EXPECT_EQ(store.Settings().Sim2.LocalPort, "Sim2.LocalPort");
    EXPECT_EQ(store.Settings().SmsNumber1, "SmsNumber1");
}

TEST(MemorySettingsStore, TransportsOfTheTwoSimsAreIndependent) {
    TMemorySettingsStore store;
    store.SetTransport(TSim::Sim1, TTransport::UDP);
    EXPECT_EQ(store.Transport(TSim::Sim1), TTransport::UDP);
    EXPECT_EQ(store.Transport(TSim::Sim2), TTransport::UDP);
    store.SetTransport(TSim::Sim2, TTransport::TCP);
    EXPECT_EQ(store.Transport(TSim::Sim1), TTransport::UDP);
    EXPECT_EQ(store.Transport(TSim::Sim2), TTransport::TCP);
}

}  // namespace
