<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About %1</source>
        <translation>О программе %1</translation>
    </message>
    <message>
        <source>From revision: %1</source>
        <translation>Ревизия исходников: %1</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>Form</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Utilities</source>
        <translation>&amp;Утилиты</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Библиотека</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Консоль</translation>
    </message>
    <message>
        <source>Undo Stack</source>
        <translation>История изменений</translation>
    </message>
    <message>
        <source>New...</source>
        <translation>Создать...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Открыть...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Закрыть все</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Ctrl+Y</source>
        <translation>Ctrl+Y</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключиться</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключиться</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Загрузить в модуль</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Запустить</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Save in Flash</source>
        <translation>Сохранить во флеш-память</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>Open Manual</source>
        <translation>Открыть руководство</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>DeviceSettings...</source>
        <translation>Настройки модуля...</translation>
    </message>
    <message>
        <source>Firmware updater</source>
        <translation>Обновление прошивки</translation>
    </message>
    <message>
        <source>About Velmora...</source>
        <translation>О программе Velmora...</translation>
    </message>
    <message>
        <source>About the program</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>Create new</source>
        <translation>Создать</translation>
    </message>
    <message>
        <source>Can not open the manual file: %1 </source>
        <translation>Не удаётся открыть файл руководства: %1 </translation>
    </message>
    <message>
        <source>Firmware update wizard</source>
        <translation>Мастер обновления прошивки</translation>
    </message>
    <message>
        <source>Recent Projects</source>
        <translation>Последние проекты</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить всё</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Очистить список</translation>
    </message>
    <message>
        <source>The file %1 no longer exists. It is removed from the list.</source>
        <translation>Файл %1 больше не существует. Он удалён из списка.</translation>
    </message>
    <message>
        <source>%1, copy of %2</source>
        <translation>%1, копия от %2</translation>
    </message>
    <message>
        <source>Recover projects</source>
        <translation>Восстановление проектов</translation>
    </message>
    <message numerus="yes">
        <source>Velmora did not exit normally. Unsaved changes of %n project(s) were kept:</source>
        <translation>
            <numerusform>Velmora завершилась аварийно. Сохранены несохранённые изменения %n проекта:</numerusform>
            <numerusform>Velmora завершилась аварийно. Сохранены несохранённые изменения %n проектов:</numerusform>
            <numerusform>Velmora завершилась аварийно. Сохранены несохранённые изменения %n проектов:</numerusform>
        </translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Позже</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Модуль</translation>
    </message>
    <message>
        <source>Upload</source>
        <comment>toolbar</comment>
        <translation>В модуль</translation>
    </message>
    <message>
        <source>Save in Flash</source>
        <comment>toolbar</comment>
        <translation>Флеш</translation>
    </message>
    <message>
        <source>DeviceSettings</source>
        <comment>toolbar</comment>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Connect</source>
        <comment>toolbar</comment>
        <translation>Подкл.</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <comment>toolbar</comment>
        <translation>Откл.</translation>
    </message>
    <message>
        <source>Run</source>
        <comment>toolbar</comment>
        <translation>Пуск</translation>
    </message>
    <message>
        <source>Stop</source>
        <comment>toolbar</comment>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>&amp;Build</source>
        <translation>&amp;Сборка</translation>
    </message>
    <message>
        <source>Redo</source>
        <comment>toolbar</comment>
        <translation>Вернуть</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Проверить</translation>
    </message>
    <message>
        <source>Check</source>
        <comment>toolbar</comment>
        <translation>Проверка</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Проблемы</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Блок</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
    <message numerus="yes">
        <source>The diagram has %n error(s):

%1

Upload it anyway?</source>
        <translation>
            <numerusform>В схеме %n ошибка:

%1

Всё равно загрузить?</numerusform>
            <numerusform>В схеме %n ошибки:

%1

Всё равно загрузить?</numerusform>
            <numerusform>В схеме %n ошибок:

%1

Всё равно загрузить?</numerusform>
        </translation>
    </message>
    <message>
        <source>Copy</source>
        <comment>toolbar</comment>
        <translation>Копия</translation>
    </message>
    <message>
        <source>Export Diagram...</source>
        <translation>Экспорт схемы...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Печать...</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Изображение PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>Рисунок SVG (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Документ PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Export Diagram</source>
        <translation>Экспорт схемы</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Белый</translation>
    </message>
    <message>
        <source>Scene style</source>
        <translation>Как на схеме</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Масштаб:</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Фон:</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>Размер страницы:</translation>
    </message>
    <message>
        <source>Diagram exported to %1.</source>
        <translation>Схема экспортирована в %1.</translation>
    </message>
    <message>
        <source>Cannot export the diagram to %1: %2</source>
        <translation>Не удалось экспортировать схему в %1: %2</translation>
    </message>
    <message>
        <source>S&amp;imulation</source>
        <translation>С&amp;имуляция</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Simulate</source>
        <translation>Симулировать</translation>
    </message>
    <message>
        <source>Simulate</source>
        <comment>toolbar</comment>
        <translation>Симул.</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Stop Simulation</source>
        <translation>Остановить симуляцию</translation>
    </message>
    <message>
        <source>Shift+F5</source>
        <translation>Shift+F5</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Шаг</translation>
    </message>
    <message>
        <source>F8</source>
        <translation>F8</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>×0.1</source>
        <translation>×0,1</translation>
    </message>
    <message>
        <source>×1</source>
        <translation>×1</translation>
    </message>
    <message>
        <source>×10</source>
        <translation>×10</translation>
    </message>
    <message>
        <source>As Fast as Possible</source>
        <translation>Как можно быстрее</translation>
    </message>
    <message>
        <source>Simulation I/O</source>
        <translation>Входы и выходы симуляции</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Тренд</translation>
    </message>
    <message>
        <source>Simulation paused: %1 s, cycle %2</source>
        <translation>Симуляция на паузе: %1 с, цикл %2</translation>
    </message>
    <message>
        <source>Simulating: %1 s, cycle %2</source>
        <translation>Симуляция: %1 с, цикл %2</translation>
    </message>
    <message>
        <source>Cannot simulate the diagram: %1</source>
        <translation>Не удаётся симулировать схему: %1</translation>
    </message>
    <message>
        <source>Simulation started.</source>
        <translation>Симуляция запущена.</translation>
    </message>
    <message>
        <source>Simulation stopped.</source>
        <translation>Симуляция остановлена.</translation>
    </message>
    <message>
        <source>Undo</source>
        <comment>toolbar</comment>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Cut</source>
        <comment>toolbar</comment>
        <translation>Вырез</translation>
    </message>
    <message>
        <source>Paste</source>
        <comment>toolbar</comment>
        <translation>Вставка</translation>
    </message>
</context>
<context>
    <name>SettingsWidget</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Projects directory</source>
        <translation>Каталог проектов</translation>
    </message>
    <message>
        <source>Default path:</source>
        <translation>Путь по умолчанию:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Localization</source>
        <translation>Локализация</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Язык:</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Подключение</translation>
    </message>
    <message>
        <source>Device address</source>
        <translation>Адрес устройства</translation>
    </message>
    <message>
        <source>IP:</source>
        <translation>IP:</translation>
    </message>
    <message>
        <source>IPv4 address</source>
        <translation>Адрес IPv4</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation>Окна</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Библиотека</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
    <message>
        <source>Undo stack</source>
        <translation>История изменений</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Консоль</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>Сцена</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Тема</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Default settings</source>
        <translation>Настройки по умолчанию</translation>
    </message>
    <message>
        <source>Do you really want to reset all settings?</source>
        <translation>Вы действительно хотите сбросить все настройки?</translation>
    </message>
    <message>
        <source>Crash recovery</source>
        <translation>Восстановление после сбоя</translation>
    </message>
    <message>
        <source>Keep a recovery copy of modified projects every:</source>
        <translation>Сохранять резервную копию изменённых проектов каждые:</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source> s</source>
        <translation> с</translation>
    </message>
</context>
<context>
    <name>UndoView</name>
    <message>
        <source>&lt;Empty stack&gt;</source>
        <translation>&lt;Пустая история&gt;</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Velmora: a programming environment for function-block diagrams of Tarkel modules.</source>
        <translation>Velmora: среда программирования функциональных блок-схем для модулей Tarkel.</translation>
    </message>
    <message>
        <source>Project files to open.</source>
        <translation>Файлы проектов, которые нужно открыть.</translation>
    </message>
</context>
</TS>
