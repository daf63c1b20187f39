#pragma once

#include <string>

// The texts of every ESerialPort, shown to the technician as they stand.
namespace SerialMessage {
inline constexpr const char* NotFound = "Спроба відкрити неіснуючий СОМ-порт";
inline constexpr const char* Busy = "Порт зайнятий іншою програмою";
inline constexpr const char* SetupComm = "Помилка функції SetupComm";
inline constexpr const char* SetCommState = "Помилка функції SetCommState";
inline constexpr const char* SetCommTimeouts = "Помилка функції SetCommTimeouts";
inline constexpr const char* EscapeCommFunction = "Помилка функції EscapeCommFunction";
inline constexpr const char* PurgeComm = "Помилка функції PurgeComm";
inline constexpr const char* PropertyWhileOpen =
    "Неможна змінювати властивості, доки порт відкритий";
inline constexpr const char* Write = "Помилка запису в порт";
inline constexpr const char* Read = "Помилка читання з порта";
inline constexpr const char* Async = "Недопустимий параметр Async";
inline constexpr const char* ClearCommError = "Помилка функції ClearCommError";
inline constexpr const char* GetCommModemStatus = "Помилка функції GetCommModemStatus";
inline constexpr const char* Registry = "Помилка звернення до системного реєстру";

// The device exists but this user may not open it (on Linux: not a member of its group).
std::string NoPermission(const std::string& group);
}  // namespace SerialMessage
