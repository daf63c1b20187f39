#include "tools/panel-sim/Commands.h"

#include <algorithm>

namespace irven::sim {

namespace {

template <typename Table, typename Pred>
auto Find(const Table& table, Pred pred) -> std::optional<typename Table::value_type> {
    const auto it = std::find_if(table.begin(), table.end(), pred);
    if (it == table.end()) {
        return std::nullopt;
    }
    return *it;
}

}  // namespace

std::optional<TTextSettingInfo> TextSettingByLetter(char letter) {
    return Find(kTextSettings, [letter](const auto& info) { return info.Letter == letter; });
}

std::optional<TByteSettingInfo> ByteSettingByLetter(char letter) {
    return Find(kByteSettings, [letter](const auto& info) { return info.Letter == letter; });
}

std::optional<TTextSettingInfo> TextSettingByQuery(std::string_view code) {
    return Find(kTextSettings, [code](const auto& info) { return info.Query == code; });
}

std::optional<TByteSettingInfo> ByteSettingByQuery(std::string_view code) {
    return Find(kByteSettings, [code](const auto& info) { return info.Query == code; });
}

bool IsKnownQuery(std::string_view code) {
    return TextSettingByQuery(code) || ByteSettingByQuery(code) || code == kQueryEventCodes ||
           code == kQueryRestoreCodes || code == kQueryJournal || code == kQueryClosing;
}

}  // namespace irven::sim
