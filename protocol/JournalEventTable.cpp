#include "protocol/JournalEventTable.h"

#include <cstddef>

#include "protocol/Cp1251.h"

// "SIM" in codes 82 and 83 is Latin; every other letter is Cyrillic.
const std::array<TJournalEventKind, kLastJournalCode - kFirstJournalCode + 1> JournalEventTable = {{
    {4, "Вход в меню пользователя 1", clJournalGreen},
    {5, "Вход в меню пользователя 2", clJournalGreen},
    {6, "Вход в меню пользователя 3", clJournalGreen},
    {7, "Вход в меню пользователя 4", clJournalGreen},
    {8, "Вход в меню пользователя 5", clJournalGreen},
    {9, "Вход в меню пользователя 6", clJournalGreen},
    {10, "Выход из меню пользователя 1", clJournalGreen},
    {11, "Выход из меню пользователя 2", clJournalGreen},
    {12, "Выход из меню пользователя 3", clJournalGreen},
    {13, "Выход из меню пользователя 4", clJournalGreen},
    {14, "Выход из меню пользователя 5", clJournalGreen},
    {15, "Выход из меню пользователя 6", clJournalGreen},
    {16, "Включение ШС 1", clJournalHighlight},
    {17, "Включение ШС 2", clJournalHighlight},
    {18, "Включение ШС 3", clJournalHighlight},
    {19, "Включение ШС 4", clJournalHighlight},
    {20, "Выключение ШС 1", clJournalHighlight},
    {21, "Выключение ШС 2", clJournalHighlight},
    {22, "Выключение ШС 3", clJournalHighlight},
    {23, "Выключение ШС 4", clJournalHighlight},
    {24, "Внимание в ШС 1", clJournalRed},
    {25, "Внимание в ШС 2", clJournalRed},
    {26, "Внимание в ШС 3", clJournalRed},
    {27, "Внимание в ШС 4", clJournalRed},
    {28, "Автовыход из внимания в ШС 1", clJournalRed},
    {29, "Автовыход из внимания в ШС 2", clJournalRed},
    {30, "Автовыход из внимания в ШС 3", clJournalRed},
    {31, "Автовыход из внимания в ШС 4", clJournalRed},
    {32, "Пожар в ШС 1", clJournalRed},
    {33, "Пожар в ШС 2", clJournalRed},
    {34, "Пожар в ШС 3", clJournalRed},
    {35, "Пожар в ШС 4", clJournalRed},
    {36, "Сброс пожара в ШС 1", clJournalRed},
    {37, "Сброс пожара в ШС 2", clJournalRed},
    {38, "Сброс пожара в ШС 3", clJournalRed},
    {39, "Сброс пожара в ШС 4", clJournalRed},
    {40, "Обрыв или КЗ в ШС 1", clJournalYellow},
    {41, "Обрыв или КЗ в ШС 2", clJournalYellow},
    {42, "Обрыв или КЗ в ШС 3", clJournalYellow},
    {43, "Обрыв или КЗ в ШС 4", clJournalYellow},
    {44, "Сброс обрыва или КЗ в ШС 1", clJournalYellow},
    {45, "Сброс обрыва или КЗ в ШС 2", clJournalYellow},
    {46, "Сброс обрыва или КЗ в ШС 3", clJournalYellow},
    {47, "Сброс обрыва или КЗ в ШС 4", clJournalYellow},
    {48, "Охранная тревога в ШС 1", clJournalRed},
    {49, "Охранная тревога в ШС 2", clJournalRed},
    {50, "Охранная тревога в ШС 3", clJournalRed},
    {51, "Охранная тревога в ШС 4", clJournalRed},
    {52, "Обрыв или КЗ выхода \"СЗО\"", clJournalYellow},
    {53, "Сброс обрыва или КЗ выхода \"СЗО\"", clJournalYellow},
    {54, "Открытие корпуса прибора", clJournalHighlight},
    {55, "Закрытие корпуса прибора", clJournalHighlight},
    {56, "Отключение выхода \"Пожар\"", clJournalHighlight},
    {57, "Подключение выхода \"Пожар\"", clJournalHighlight},
    {58, "Отключение выхода \"Неисправность\"", clJournalHighlight},
    {59, "Подключение выхода \"Неисправность\"", clJournalHighlight},
    {60, "Отключение выхода \"СЗО\"", clJournalHighlight},
    {61, "Подключение выхода \"СЗО\"", clJournalHighlight},
    {62, "Отключение коммуникатора", clJournalHighlight},
    {63, "Подключение коммуникатора", clJournalHighlight},
    {64, "Отсутствие сети ~220 В", clJournalYellow},
    {65, "Восстановление сети ~220 В", clJournalYellow},
    {66, "Отсутствие аккумулятора", clJournalYellow},
    {67, "Восстановление аккумулятора", clJournalYellow},
    {68, "Низкое питание, отключение всего", clJournalYellow},
    {69, "Включение питания прибора", clJournalYellow},
    {70, "Четырежды ошибочный пароль", clJournalGreen},
    {71, "Ручной сброс прибора", clJournalOlive},
    {72, "Ручной сброс звука", clJournalOlive},
    {73, "Проверка индикации/ручной тест", clJournalOlive},
    {74, "Исчерпаны попытки дозвона", clJournalLime},
    {75, "Невозможно передать тест на ПЦН 1", clJournalLime},
    {76, "Невозможно передать тест на ПЦН 2", clJournalLime},
    {77, "Очистка журнала событий", clJournalCleared},
    {78, "Отсутствие опроса с центра", clJournalLime},
    {79, "Восстановление опроса с центра", clJournalLime},
    {80, "Отсутствие сигнала сети", clJournalLime},
    {81, "Востановление сигнала сети", clJournalLime},
    {82, "Переход на SIM 1", clJournalLime},
    {83, "Переход на SIM 2", clJournalLime},
}};

const TJournalEventKind* FindJournalEvent(uint8_t code) {
    if (code < kFirstJournalCode || code > kLastJournalCode) {
        return nullptr;
    }
    return &JournalEventTable[code - kFirstJournalCode];
}

TJournalEvent DecodeJournalEntry(const ByteString& reply, int number) {
    TJournalEvent event;
    event.Number = number;
    if (number < 1 || static_cast<std::size_t>(number) > reply.size()) {
        return event;
    }
    event.Code = static_cast<uint8_t>(reply[static_cast<std::size_t>(number) - 1]);
    if (const TJournalEventKind* kind = FindJournalEvent(*event.Code)) {
        event.Text = Utf8ToCp1251(kind->Text);
        event.RowColor = kind->Color;
    }
    return event;
}
