<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="ru">
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Warning</source>
        <translation>Попередження</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Файл %1 уже существует. Заменить его?</source>
        <translation>Файл %1 вже існує. Замінити його?</translation>
    </message>
    <message>
        <source>Ирвен А8 Конфигуратор</source>
        <translation>Ірвен А8 Конфігуратор</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Скорость «%1» не поддерживается: выберите скорость из списка</source>
        <translation>Швидкість «%1» не підтримується: виберіть швидкість зі списку</translation>
    </message>
    <message>
        <source>Открыто успешно.</source>
        <translation>Відкрито успішно.</translation>
    </message>
    <message>
        <source>Сохранено успешно.</source>
        <translation>Збережено успішно.</translation>
    </message>
    <message>
        <source>Ирвен А4 Конфигуратор</source>
        <translation>Ірвен А4 Конфігуратор</translation>
    </message>
    <message>
        <source>Коды событий</source>
        <translation>Коди подій</translation>
    </message>
    <message>
        <source>Журнал Событий</source>
        <translation>Журнал подій</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Підключити</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Відключити</translation>
    </message>
    <message>
        <source>Прочитать GPRS с прибора</source>
        <translation>Прочитати GPRS з приладу</translation>
    </message>
    <message>
        <source>Записать GPRS в прибор</source>
        <translation>Записати GPRS у прилад</translation>
    </message>
    <message>
        <source>Открыть GPRS настройки</source>
        <translation>Відкрити налаштування GPRS</translation>
    </message>
    <message>
        <source>Сохранить GPRS настройки</source>
        <translation>Зберегти налаштування GPRS</translation>
    </message>
    <message>
        <source>Точка доступа для всех мобильных операторов Украины - &quot;internet&quot;</source>
        <translation>Точка доступу для всіх мобільних операторів України - &quot;internet&quot;</translation>
    </message>
    <message>
        <source>Код объекта</source>
        <translation>Код об&apos;єкта</translation>
    </message>
    <message>
        <source>Период тестовых сообщений</source>
        <translation>Період тестових повідомлень</translation>
    </message>
    <message>
        <source>1-255 минут</source>
        <translation>1-255 хвилин</translation>
    </message>
    <message>
        <source>Номера для SMS оповещения</source>
        <translation>Номери для SMS-сповіщення</translation>
    </message>
    <message>
        <source>Активация  SMS режима</source>
        <translation>Активація режиму SMS</translation>
    </message>
    <message>
        <source>Активация GPRS режима</source>
        <translation>Активація режиму GPRS</translation>
    </message>
    <message>
        <source>Точка доступа</source>
        <translation>Точка доступу</translation>
    </message>
    <message>
        <source>Порт сервера</source>
        <translation>Порт сервера</translation>
    </message>
    <message>
        <source>Локальный порт</source>
        <translation>Локальний порт</translation>
    </message>
    <message>
        <source>IP адресс сервера %1</source>
        <translation>IP-адреса сервера %1</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Записати</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Прочитати</translation>
    </message>
    <message>
        <source>Количество событий : 1-255</source>
        <translation>Кількість подій : 1-255</translation>
    </message>
    <message>
        <source>Прочитать журнал</source>
        <translation>Прочитати журнал</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Швидкість</translation>
    </message>
    <message>
        <source>Страницы</source>
        <translation>Сторінки</translation>
    </message>
    <message>
        <source>Ход обмена</source>
        <translation>Хід обміну</translation>
    </message>
    <message>
        <source>Коды восстановления</source>
        <translation>Коди відновлення</translation>
    </message>
    <message>
        <source>Журнал событий</source>
        <translation>Журнал подій</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Об&apos;єкт</translation>
    </message>
    <message>
        <source>Записать коды событий</source>
        <translation>Записати коди подій</translation>
    </message>
    <message>
        <source>Прочитать коды событий</source>
        <translation>Прочитати коди подій</translation>
    </message>
    <message>
        <source>Записать коды восстановления</source>
        <translation>Записати коди відновлення</translation>
    </message>
    <message>
        <source>Прочитать коды восстановления</source>
        <translation>Прочитати коди відновлення</translation>
    </message>
</context>
<context>
    <name>THandlerRules</name>
    <message>
        <source>Неизвестная ошибка</source>
        <translation>Невідома помилка</translation>
    </message>
</context>
</TS>
