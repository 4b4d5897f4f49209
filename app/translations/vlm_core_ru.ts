<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>DeviceRepliePolicy</name>
    <message>
        <source>No replise</source>
        <translation>Нет ответа</translation>
    </message>
    <message>
        <source>ERROR(%1): %2</source>
        <translation>ОШИБКА(%1): %2</translation>
    </message>
    <message>
        <source>READY. command: %1</source>
        <translation>ГОТОВ. команда: %1</translation>
    </message>
    <message>
        <source>Get func block info.</source>
        <translation>Получение информации о функциональном блоке.</translation>
    </message>
    <message>
        <source>SUCCESS. command: %1</source>
        <translation>УСПЕШНО. команда: %1</translation>
    </message>
    <message>
        <source>Free space command.</source>
        <translation>Команда свободного места.</translation>
    </message>
    <message>
        <source>Net params command.</source>
        <translation>Команда сетевых параметров.</translation>
    </message>
    <message>
        <source>Busy command.</source>
        <translation>Команда занятости.</translation>
    </message>
    <message>
        <source>RTC command.</source>
        <translation>Команда часов реального времени.</translation>
    </message>
    <message>
        <source>UNKNOWN COMMAND code: %1.</source>
        <translation>НЕИЗВЕСТНАЯ КОМАНДА, код: %1.</translation>
    </message>
    <message>
        <source>Load in RAM memory.</source>
        <translation>Загрузка в ОЗУ.</translation>
    </message>
    <message>
        <source>Save to flash.</source>
        <translation>Сохранение во флеш-память.</translation>
    </message>
    <message>
        <source>Stop task.</source>
        <translation>Остановка задачи.</translation>
    </message>
    <message>
        <source>Stop at func block.</source>
        <translation>Остановка на функциональном блоке.</translation>
    </message>
    <message>
        <source>Step.</source>
        <translation>Шаг.</translation>
    </message>
    <message>
        <source>Set task state.</source>
        <translation>Установка состояния задачи.</translation>
    </message>
    <message>
        <source>Run from flash.</source>
        <translation>Запуск из флеш-памяти.</translation>
    </message>
    <message>
        <source>Read and upload data.</source>
        <translation>Чтение и выгрузка данных.</translation>
    </message>
    <message>
        <source>Clear data.</source>
        <translation>Очистка данных.</translation>
    </message>
    <message>
        <source>Get data func block.</source>
        <translation>Получение данных функционального блока.</translation>
    </message>
    <message>
        <source>Set data func block.</source>
        <translation>Установка данных функционального блока.</translation>
    </message>
    <message>
        <source>Get net params.</source>
        <translation>Получение сетевых параметров.</translation>
    </message>
    <message>
        <source>Set net params.</source>
        <translation>Установка сетевых параметров.</translation>
    </message>
    <message>
        <source>Set password.</source>
        <translation>Установка пароля.</translation>
    </message>
    <message>
        <source>Debugging mode.</source>
        <translation>Режим отладки.</translation>
    </message>
    <message>
        <source>Echo.</source>
        <translation>Эхо.</translation>
    </message>
    <message>
        <source>Upload func block.</source>
        <translation>Загрузка функционального блока.</translation>
    </message>
    <message>
        <source>Upload data block.</source>
        <translation>Загрузка блока данных.</translation>
    </message>
    <message>
        <source>Get data MB_HR.</source>
        <translation>Получение данных MB_HR.</translation>
    </message>
    <message>
        <source>Get MB connection status.</source>
        <translation>Получение состояния соединения MB.</translation>
    </message>
    <message>
        <source>Get TCP port.</source>
        <translation>Получение порта TCP.</translation>
    </message>
    <message>
        <source>Get soft data.</source>
        <translation>Получение данных о программном обеспечении.</translation>
    </message>
    <message>
        <source>Get hardware ID.</source>
        <translation>Получение аппаратного идентификатора.</translation>
    </message>
    <message>
        <source>Get MB port.</source>
        <translation>Получение порта MB.</translation>
    </message>
    <message>
        <source>User comments.</source>
        <translation>Комментарии пользователя.</translation>
    </message>
    <message>
        <source>Undefined command.</source>
        <translation>Неопределённая команда.</translation>
    </message>
    <message>
        <source>No error.</source>
        <translation>Нет ошибки.</translation>
    </message>
    <message>
        <source>There is no free space in the module.</source>
        <translation>В модуле нет свободного места.</translation>
    </message>
    <message>
        <source>Exceeding the size of the package.</source>
        <translation>Превышен размер пакета.</translation>
    </message>
    <message>
        <source>The program is not stopped.</source>
        <translation>Программа не остановлена.</translation>
    </message>
    <message>
        <source>Invalid data size in the package.</source>
        <translation>Неверный размер данных в пакете.</translation>
    </message>
    <message>
        <source>Wrong function block index.</source>
        <translation>Неверный индекс функционального блока.</translation>
    </message>
    <message>
        <source>Error saving to flash memory.</source>
        <translation>Ошибка сохранения во флеш-память.</translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation>Неверный пароль.</translation>
    </message>
    <message>
        <source>No task in flash memory.</source>
        <translation>Во флеш-памяти нет задачи.</translation>
    </message>
    <message>
        <source>Flash memory corrupted.</source>
        <translation>Флеш-память повреждена.</translation>
    </message>
    <message>
        <source>The data size is larger than the data buffer.</source>
        <translation>Размер данных больше буфера данных.</translation>
    </message>
    <message>
        <source>Invalid state.</source>
        <translation>Недопустимое состояние.</translation>
    </message>
    <message>
        <source>A task in flash memory exists.</source>
        <translation>Во флеш-памяти уже есть задача.</translation>
    </message>
    <message>
        <source>CRC error.</source>
        <translation>Ошибка CRC.</translation>
    </message>
    <message>
        <source>Invalid data.</source>
        <translation>Неверные данные.</translation>
    </message>
    <message>
        <source>The programming mode is disabled.</source>
        <translation>Режим программирования отключён.</translation>
    </message>
    <message>
        <source>RTC error.</source>
        <translation>Ошибка часов реального времени.</translation>
    </message>
    <message>
        <source>EEPROM error.</source>
        <translation>Ошибка EEPROM.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Неизвестная ошибка.</translation>
    </message>
    <message>
        <source>Device replie: %1</source>
        <translation>Ответ устройства: %1</translation>
    </message>
</context>
<context>
    <name>DiagramCheck</name>
    <message>
        <source>the input of type %1 is joined to an output of type %2</source>
        <translation>вход типа %1 соединён с выходом типа %2</translation>
    </message>
    <message>
        <source>the value %1 is outside the range of %2</source>
        <translation>значение %1 вне диапазона типа %2</translation>
    </message>
    <message>
        <source>the input is not connected</source>
        <translation>вход не подключён</translation>
    </message>
    <message>
        <source>the type %1 is not one of the data types; the port joins only ports of that same type</source>
        <translation>тип %1 не входит в типы данных; порт соединяется только с портами того же типа</translation>
    </message>
    <message>
        <source>none of the outputs is used: the block has no effect</source>
        <translation>ни один выход не используется: блок ни на что не влияет</translation>
    </message>
    <message numerus="yes">
        <source>%1 %2 is written by %n blocks</source>
        <translation>
            <numerusform>%1 %2 записывается %n блоком</numerusform>
            <numerusform>%1 %2 записывается %n блоками</numerusform>
            <numerusform>%1 %2 записывается %n блоками</numerusform>
        </translation>
    </message>
    <message>
        <source>variable %1 is also used with the type %2</source>
        <translation>переменная %1 используется также с типом %2</translation>
    </message>
    <message>
        <source>Check: %1 errors, %2 warnings.</source>
        <translation>Проверка: ошибок %1, предупреждений %2.</translation>
    </message>
</context>
<context>
    <name>FBAbstractBlockGraphics</name>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>GraphicsScene</name>
    <message>
        <source>Link error: This input have connect.</source>
        <translation>Ошибка связи: этот вход уже подключён.</translation>
    </message>
    <message>
        <source>Link error: Can not connect the input to the input</source>
        <translation>Ошибка связи: нельзя соединить вход со входом</translation>
    </message>
    <message>
        <source>Link error: Can not connect the output to the output</source>
        <translation>Ошибка связи: нельзя соединить выход с выходом</translation>
    </message>
    <message>
        <source>Paste: the clipboard holds no diagram that can be pasted.</source>
        <translation>Вставка: в буфере обмена нет схемы, которую можно вставить.</translation>
    </message>
    <message>
        <source>Link error: A connected port can not take the type %1</source>
        <translation>Ошибка связи: подключённый порт не может принять тип %1</translation>
    </message>
    <message>
        <source>Link error: Can not connect the type %1 to the type %2</source>
        <translation>Ошибка связи: нельзя соединить тип %1 с типом %2</translation>
    </message>
</context>
<context>
    <name>IConnectionView</name>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>IProject</name>
    <message>
        <source>the file is truncated</source>
        <translation>файл обрезан</translation>
    </message>
    <message>
        <source>the file is corrupt</source>
        <translation>файл повреждён</translation>
    </message>
    <message>
        <source>unknown block &quot;%1&quot;</source>
        <translation>неизвестный блок &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot write file %1: %2</source>
        <translation>Не удаётся записать файл %1: %2</translation>
    </message>
    <message>
        <source>Cannot read file %1: %2</source>
        <translation>Не удаётся прочитать файл %1: %2</translation>
    </message>
    <message>
        <source>the project has no file</source>
        <translation>у проекта нет файла</translation>
    </message>
    <message>
        <source>not all of the data could be written</source>
        <translation>не все данные удалось записать</translation>
    </message>
    <message>
        <source>the file is not a project file</source>
        <translation>файл не является файлом проекта</translation>
    </message>
    <message>
        <source>unknown device model</source>
        <translation>неизвестная модель устройства</translation>
    </message>
</context>
<context>
    <name>ProjectCreator</name>
    <message>
        <source>Project</source>
        <translation>Проект</translation>
    </message>
    <message>
        <source>Error open file : invalid file extension.</source>
        <translation>Ошибка открытия файла: недопустимое расширение файла.</translation>
    </message>
</context>
<context>
    <name>ProjectManager</name>
    <message>
        <source>Open project</source>
        <translation>Открыть проект</translation>
    </message>
    <message>
        <source>Save project</source>
        <translation>Сохранить проект</translation>
    </message>
    <message>
        <source>The project has been modified.
 Do you want to save your changes?</source>
        <translation>Проект был изменён.
 Сохранить изменения?</translation>
    </message>
    <message>
        <source>The project %1 is open in another tab.
Close it there before you save over it.</source>
        <translation>Проект %1 открыт в другой вкладке.
Закройте его там, прежде чем сохранять поверх него.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 уже существует.
Заменить его?</translation>
    </message>
</context>
<context>
    <name>ProjectRecovery</name>
    <message>
        <source>the project could not be written</source>
        <translation>не удалось записать проект</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written</source>
        <translation>запись в папку %1 невозможна</translation>
    </message>
    <message>
        <source>Cannot keep a recovery copy of %1: %2</source>
        <translation>Не удалось сохранить резервную копию %1: %2</translation>
    </message>
    <message>
        <source>it is not a recovery copy</source>
        <translation>это не резервная копия</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>файл обрезан</translation>
    </message>
    <message>
        <source>The recovery copy %1 cannot be read (%2); it is kept as %3.</source>
        <translation>Резервную копию %1 не удалось прочитать (%2); она сохранена как %3.</translation>
    </message>
    <message>
        <source>the project&apos;s file type is unknown</source>
        <translation>неизвестный тип файла проекта</translation>
    </message>
</context>
<context>
    <name>PropertyTreeModel</name>
    <message>
        <source>Property</source>
        <translation>Свойство</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>&lt;Add connection&gt;</source>
        <translation>&lt;Добавить связь&gt;</translation>
    </message>
    <message>
        <source>&lt;Add block&gt;</source>
        <translation>&lt;Добавить блок&gt;</translation>
    </message>
    <message>
        <source>&lt;Del connection&gt;</source>
        <translation>&lt;Удалить связь&gt;</translation>
    </message>
    <message>
        <source>&lt;Del block&gt;</source>
        <translation>&lt;Удалить блок&gt;</translation>
    </message>
    <message>
        <source>&lt;Del group connection&gt;</source>
        <translation>&lt;Удалить группу связей&gt;</translation>
    </message>
    <message>
        <source>&lt;Del group block&gt;</source>
        <translation>&lt;Удалить группу блоков&gt;</translation>
    </message>
    <message>
        <source>&lt;Move block&gt;</source>
        <translation>&lt;Переместить блок&gt;</translation>
    </message>
    <message>
        <source>&lt;Move group blocks&gt;</source>
        <translation>&lt;Переместить группу блоков&gt;</translation>
    </message>
    <message>
        <source>&lt;Paste %1 blocks and %2 connections&gt;</source>
        <translation>&lt;Вставить блоков: %1, связей: %2&gt;</translation>
    </message>
    <message>
        <source>&lt;Change number of ports&gt;</source>
        <translation>&lt;Изменить число портов&gt;</translation>
    </message>
    <message>
        <source>&lt;Change port visibility&gt;</source>
        <translation>&lt;Изменить видимость порта&gt;</translation>
    </message>
    <message>
        <source>&lt;Change title&gt;</source>
        <translation>&lt;Изменить заголовок&gt;</translation>
    </message>
    <message>
        <source>&lt;Change port type&gt;</source>
        <translation>&lt;Изменить тип порта&gt;</translation>
    </message>
    <message>
        <source>&lt;Change value&gt;</source>
        <translation>&lt;Изменить значение&gt;</translation>
    </message>
    <message>
        <source>&lt;Move connection node&gt;</source>
        <translation>&lt;Переместить узел соединения&gt;</translation>
    </message>
</context>
<context>
    <name>StyleCollection</name>
    <message>
        <source>styles %1 parse error (row %2, column %3): %4.</source>
        <translation>стили %1: ошибка разбора (строка %2, столбец %3): %4.</translation>
    </message>
</context>
<context>
    <name>TcpDeviceClient</name>
    <message>
        <source>Running task: Success.</source>
        <translation>Запуск задачи: успешно.</translation>
    </message>
    <message>
        <source>Running task: Failed.</source>
        <translation>Запуск задачи: ошибка.</translation>
    </message>
    <message>
        <source>Stopping task: Success.</source>
        <translation>Остановка задачи: успешно.</translation>
    </message>
    <message>
        <source>Stopping task: Failed.</source>
        <translation>Остановка задачи: ошибка.</translation>
    </message>
    <message>
        <source>Get net params: Success.</source>
        <translation>Чтение сетевых параметров: успешно.</translation>
    </message>
    <message>
        <source>Get net params: Failed.</source>
        <translation>Чтение сетевых параметров: ошибка.</translation>
    </message>
    <message>
        <source>Set net params: Success.</source>
        <translation>Запись сетевых параметров: успешно.</translation>
    </message>
    <message>
        <source>Set net params: Failed.</source>
        <translation>Запись сетевых параметров: ошибка.</translation>
    </message>
    <message>
        <source>Get soft version: Success.</source>
        <translation>Чтение версии ПО: успешно.</translation>
    </message>
    <message>
        <source>Get soft version: Failed.</source>
        <translation>Чтение версии ПО: ошибка.</translation>
    </message>
    <message>
        <source>Get Hardware Id: Success.</source>
        <translation>Чтение аппаратного идентификатора: успешно.</translation>
    </message>
    <message>
        <source>Get Hardware Id: Failed.</source>
        <translation>Чтение аппаратного идентификатора: ошибка.</translation>
    </message>
    <message>
        <source>Get RTC: Failed.</source>
        <translation>Чтение часов: ошибка.</translation>
    </message>
    <message>
        <source>Get RTC: Success.</source>
        <translation>Чтение часов: успешно.</translation>
    </message>
    <message>
        <source>Set RTC: Success.</source>
        <translation>Установка часов: успешно.</translation>
    </message>
    <message>
        <source>Set RTC: Failed.</source>
        <translation>Установка часов: ошибка.</translation>
    </message>
    <message>
        <source>Get calibration state: Failed.</source>
        <translation>Чтение состояния калибровки: ошибка.</translation>
    </message>
    <message>
        <source>Get calibration state: Success.</source>
        <translation>Чтение состояния калибровки: успешно.</translation>
    </message>
    <message>
        <source>Uploading task error: Unable to get device type</source>
        <translation>Ошибка загрузки задачи: не удалось определить тип модуля</translation>
    </message>
    <message>
        <source>Uploading task error: Unable to upload task for %1 to device %2</source>
        <translation>Ошибка загрузки задачи: задачу для %1 нельзя загрузить в модуль %2</translation>
    </message>
    <message>
        <source>Loading in RAM: Failed.</source>
        <translation>Загрузка в ОЗУ: ошибка.</translation>
    </message>
    <message>
        <source>Loading in RAM: Success.</source>
        <translation>Загрузка в ОЗУ: успешно.</translation>
    </message>
    <message>
        <source>Uploading task: Failed.</source>
        <translation>Загрузка задачи: ошибка.</translation>
    </message>
    <message>
        <source>Initializing the module: Failed.</source>
        <translation>Инициализация модуля: ошибка.</translation>
    </message>
    <message>
        <source>Initializing the module: Success.</source>
        <translation>Инициализация модуля: успешно.</translation>
    </message>
    <message>
        <source>Save task: Failed.</source>
        <translation>Сохранение задачи: ошибка.</translation>
    </message>
    <message>
        <source>Save task: Success.</source>
        <translation>Сохранение задачи: успешно.</translation>
    </message>
    <message>
        <source>Repeat(%1) %2</source>
        <translation>Повтор(%1) %2</translation>
    </message>
    <message>
        <source>Connection error: %1</source>
        <translation>Ошибка соединения: %1</translation>
    </message>
    <message>
        <source>No connection.</source>
        <translation>Нет соединения.</translation>
    </message>
    <message>
        <source>Search for the host name.</source>
        <translation>Поиск имени узла.</translation>
    </message>
    <message>
        <source>Establishing connection.</source>
        <translation>Установка соединения.</translation>
    </message>
    <message>
        <source>A connection is established.</source>
        <translation>Соединение установлено.</translation>
    </message>
    <message>
        <source>The connection is about to close.</source>
        <translation>Соединение закрывается.</translation>
    </message>
    <message>
        <source>State code(%1).</source>
        <translation>Код состояния(%1).</translation>
    </message>
    <message>
        <source>Connection: %1</source>
        <translation>Соединение: %1</translation>
    </message>
</context>
<context>
    <name>Velmora::FBCommentModel</name>
    <message>
        <source>Add text</source>
        <translation>Добавьте текст</translation>
    </message>
</context>
<context>
    <name>fb_lib_reader</name>
    <message>
        <source>The lib file is corrupt or is not a library file of function blocks.</source>
        <translation>Файл библиотеки повреждён или не является библиотекой функциональных блоков.</translation>
    </message>
</context>
<context>
    <name>model_call_order</name>
    <message>
        <source>Call order</source>
        <translation>Порядок вызова</translation>
    </message>
</context>
<context>
    <name>model_data_num</name>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Value list</source>
        <translation>Список значений</translation>
    </message>
</context>
<context>
    <name>model_inputs</name>
    <message>
        <source>Inputs</source>
        <translation>Входы</translation>
    </message>
</context>
<context>
    <name>model_item</name>
    <message>
        <source>unnammed</source>
        <translation>безымянный</translation>
    </message>
</context>
<context>
    <name>model_outputs</name>
    <message>
        <source>Outputs</source>
        <translation>Выходы</translation>
    </message>
</context>
<context>
    <name>model_title</name>
    <message>
        <source>Title</source>
        <translation>Заголовок</translation>
    </message>
</context>
</TS>
