#include "protocol/EventCodeTable.h"

#include <array>

namespace {

struct TCodeRow {
    std::string_view Name;
    std::string_view DefaultCode;
};

// Both tables share the names and the defaults; "L" in rows 16 and 17 is the Latin letter.
constexpr std::array<TCodeRow, TEventCodeTable::Rows> kRows = {{
    {"Пожар", "110"},
    {"Внимание", "118"},
    {"Тревога", "130"},
    {"Неисправность в ШС", "373"},
    {"Выключение ШС", "571"},
    {"Запоминание ШС", TEventCodeTable::FillerCode},
    {"Неисправность ИП", "301"},
    {"Неиспр. аккумулятора", "311"},
    {"Тампер", "137"},
    {"Вход в меню", "627"},
    {"Сброс Прибора", "305"},
    {"Сброс звука", "520"},
    {"Неисправность СЗО", TEventCodeTable::FillerCode},
    {"Отключение ключа", TEventCodeTable::FillerCode},
    {"Включение ключа", TEventCodeTable::FillerCode},
    {"Переход ШС на L1", TEventCodeTable::FillerCode},
    {"Переход ШС на L2", TEventCodeTable::FillerCode},
    {"Выход из помещения", TEventCodeTable::FillerCode},
    {"Вход в помещение", TEventCodeTable::FillerCode},
    {"Неисправность ТК", TEventCodeTable::FillerCode},
    {"Откл. ТК", TEventCodeTable::FillerCode},
    {"Заводские установки", TEventCodeTable::FillerCode},
    {"Очистка журнала", TEventCodeTable::FillerCode},
    {"Отключение СЗО", TEventCodeTable::FillerCode},
    {"резерв", TEventCodeTable::FillerCode},
}};

const TCodeRow& RowAt(int row) {
    return kRows.at(static_cast<std::size_t>(row - 1));
}

}  // namespace

std::string_view TEventCodeTable::RowName(int row) {
    return RowAt(row).Name;
}

std::string_view TEventCodeTable::DefaultCode(int row) {
    return RowAt(row).DefaultCode;
}

std::string_view TEventCodeTable::CodeHeader() const {
    return kind_ == TCodeTableKind::Events ? "Код События" : "Код Востановления";
}

char TEventCodeTable::UploadLetter() const {
    return kind_ == TCodeTableKind::Events ? 'C' : 'R';
}

ByteString TEventCodeTable::UploadTerminator() const {
    return kind_ == TCodeTableKind::Events ? "" : ";";
}

ByteString TEventCodeTable::Query() const {
    return kind_ == TCodeTableKind::Events ? "?EC;" : "?RC;";
}
