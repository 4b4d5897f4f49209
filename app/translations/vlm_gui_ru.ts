<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CreateDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Диалог</translation>
    </message>
    <message>
        <source>Selected...</source>
        <translation>Выбрать...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>DeviceSettingsWidget</name>
    <message>
        <source>Device settings</source>
        <translation>Настройки устройства</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Сеть</translation>
    </message>
    <message>
        <source>Mask:</source>
        <translation>Маска:</translation>
    </message>
    <message>
        <source>IPv4 mask</source>
        <translation>Маска IPv4</translation>
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
        <source>Gateway:</source>
        <translation>Шлюз:</translation>
    </message>
    <message>
        <source>IPv4 gateway</source>
        <translation>Шлюз IPv4</translation>
    </message>
    <message>
        <source>Mac:</source>
        <translation>MAC:</translation>
    </message>
    <message>
        <source>Mac address</source>
        <translation>MAC-адрес</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>TCP timeout:</source>
        <translation>Тайм-аут TCP:</translation>
    </message>
    <message>
        <source> sec</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Use default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Прочитать</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Time and Date</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Дата:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Время:</translation>
    </message>
    <message>
        <source>Synchronize with the system</source>
        <translation>Синхронизировать с системой</translation>
    </message>
    <message>
        <source>Device info</source>
        <translation>Сведения об устройстве</translation>
    </message>
    <message>
        <source>Soft version:</source>
        <translation>Версия ПО:</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
    <message>
        <source>Device model:</source>
        <translation>Модель устройства:</translation>
    </message>
    <message>
        <source>Calibration status:</source>
        <translation>Состояние калибровки:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Calibration is done</source>
        <translation>Калибровка выполнена</translation>
    </message>
    <message>
        <source>No calibration</source>
        <translation>Нет калибровки</translation>
    </message>
    <message>
        <source>Calibration error. Recalibration required</source>
        <translation>Ошибка калибровки. Требуется повторная калибровка</translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation>Не определено</translation>
    </message>
</context>
<context>
    <name>DiagramExporter</name>
    <message>
        <source>the picture could not be written</source>
        <translation>не удалось записать изображение</translation>
    </message>
    <message>
        <source>the document could not be written</source>
        <translation>не удалось записать документ</translation>
    </message>
    <message>
        <source>%1 — %2 — %3 — page %4 of %5</source>
        <translation>%1 — %2 — %3 — страница %4 из %5</translation>
    </message>
    <message>
        <source>the file name must end in .png, .svg or .pdf</source>
        <translation>имя файла должно оканчиваться на .png, .svg или .pdf</translation>
    </message>
</context>
<context>
    <name>FirmwareWizardExistingPage</name>
    <message>
        <source>Downloaded firmware data</source>
        <translation>Данные загруженной прошивки</translation>
    </message>
    <message>
        <source>Firmware date:</source>
        <translation>Дата прошивки:</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Версия прошивки:</translation>
    </message>
    <message>
        <source>Employee name:</source>
        <translation>Имя сотрудника:</translation>
    </message>
    <message>
        <source>Firmware size:</source>
        <translation>Размер прошивки:</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>байт</translation>
    </message>
</context>
<context>
    <name>FirmwareWizardFilePage</name>
    <message>
        <source>New firmware data</source>
        <translation>Данные новой прошивки</translation>
    </message>
    <message>
        <source>File directory:</source>
        <translation>Путь к файлу:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Версия прошивки:</translation>
    </message>
    <message>
        <source>Firmware size:</source>
        <translation>Размер прошивки:</translation>
    </message>
    <message>
        <source>Employee name:</source>
        <translation>Имя сотрудника:</translation>
    </message>
    <message>
        <source>Put your name (in Latin)</source>
        <translation>Введите своё имя (латиницей)</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>The path and/or file name has been changed. Enter them correctly.</source>
        <translation>Путь и/или имя файла изменены. Введите их правильно.</translation>
    </message>
    <message>
        <source>The file is too short to be a firmware file.</source>
        <translation>Файл слишком короткий для файла прошивки.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 байт</translation>
    </message>
    <message>
        <source>Select firmware file</source>
        <translation>Выберите файл прошивки</translation>
    </message>
    <message>
        <source>Enter the name of the person downloading the firmware</source>
        <translation>Введите имя того, кто загружает прошивку</translation>
    </message>
    <message>
        <source>Preparing for firmware download...</source>
        <translation>Подготовка к загрузке прошивки...</translation>
    </message>
    <message>
        <source>Sending new firmware information...</source>
        <translation>Отправка сведений о новой прошивке...</translation>
    </message>
    <message>
        <source>Error sending new firmware information</source>
        <translation>Ошибка отправки сведений о новой прошивке</translation>
    </message>
    <message>
        <source>Creating backup...</source>
        <translation>Создание резервной копии...</translation>
    </message>
    <message>
        <source>Error creating backup</source>
        <translation>Ошибка создания резервной копии</translation>
    </message>
    <message>
        <source>Firmware update wizard</source>
        <translation>Мастер обновления прошивки</translation>
    </message>
    <message>
        <source>Can not make a backup.
Do you want to continue?</source>
        <translation>Не удалось создать резервную копию.
Продолжить?</translation>
    </message>
    <message>
        <source>Firmware download canceled</source>
        <translation>Загрузка прошивки отменена</translation>
    </message>
    <message>
        <source>Preparing the place to download the firmware</source>
        <translation>Подготовка места для загрузки прошивки</translation>
    </message>
    <message>
        <source>Error preparing the place to download the firmware</source>
        <translation>Ошибка подготовки места для загрузки прошивки</translation>
    </message>
    <message>
        <source>Loading firmware...</source>
        <translation>Загрузка прошивки...</translation>
    </message>
    <message>
        <source>Error sending firmware data</source>
        <translation>Ошибка отправки данных прошивки</translation>
    </message>
    <message>
        <source>Firmware verification...</source>
        <translation>Проверка прошивки...</translation>
    </message>
    <message>
        <source>Firmware verification error</source>
        <translation>Ошибка проверки прошивки</translation>
    </message>
    <message>
        <source>Firmware has been downloaded successefully</source>
        <translation>Прошивка успешно загружена</translation>
    </message>
    <message>
        <source>Backup skipped: the module has had no firmware since the old one could not be restored; the earlier backup is kept.</source>
        <translation>Резервная копия не создаётся: модуль остаётся без прошивки с тех пор, как прежнюю не удалось восстановить; сохранённая ранее копия сохраняется.</translation>
    </message>
    <message>
        <source>The old firmware could not be restored: the module is left without firmware. Reconnect to the module and download the firmware again.</source>
        <translation>Прежнюю прошивку восстановить не удалось: модуль остался без прошивки. Подключитесь к модулю заново и загрузите прошивку ещё раз.</translation>
    </message>
    <message>
        <source>Backup skipped: the firmware may be partly erased since the last attempt; the earlier backup is kept.</source>
        <translation>Резервная копия не создана: после прошлой попытки прошивка может быть частично стёрта; сохранена прежняя копия.</translation>
    </message>
</context>
<context>
    <name>FirmwareWizardNetworkPage</name>
    <message>
        <source>Network parameters</source>
        <translation>Параметры сети</translation>
    </message>
    <message>
        <source>IP:</source>
        <translation>IP:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>Use default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Состояние:</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>Cannot connect to %1:%2: %3</source>
        <translation>Не удаётся подключиться к %1:%2: %3</translation>
    </message>
</context>
<context>
    <name>MainProjectWizard</name>
    <message>
        <source>Main project wizard</source>
        <translation>Мастер создания проекта</translation>
    </message>
</context>
<context>
    <name>ProjectWizardBase</name>
    <message>
        <source>File wizard</source>
        <translation>Мастер создания файла</translation>
    </message>
</context>
<context>
    <name>ProjectWizardBasePage</name>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Use default file path</source>
        <translation>Использовать путь по умолчанию</translation>
    </message>
    <message>
        <source>File location</source>
        <translation>Расположение файла</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Имя файла:</translation>
    </message>
    <message>
        <source>File directory:</source>
        <translation>Каталог файла:</translation>
    </message>
    <message>
        <source>Directory selection</source>
        <translation>Выбор каталога</translation>
    </message>
    <message>
        <source>The project already exists. If you continue, the project will be overwritten.</source>
        <translation>Проект уже существует. Если продолжить, проект будет перезаписан.</translation>
    </message>
    <message>
        <source>Wizard warning</source>
        <translation>Предупреждение мастера</translation>
    </message>
    <message>
        <source>The file %1 will be overwritten. Continue?</source>
        <translation>Файл %1 будет перезаписан. Продолжить?</translation>
    </message>
    <message>
        <source>The name cannot contain / or \.</source>
        <translation>Имя не может содержать / или \.</translation>
    </message>
    <message>
        <source>The name cannot be &quot;.&quot; or &quot;..&quot;.</source>
        <translation>Имя не может быть «.» или «..».</translation>
    </message>
    <message>
        <source>Type the name without the extension .%1: it is added.</source>
        <translation>Введите имя без расширения .%1: оно добавляется само.</translation>
    </message>
</context>
<context>
    <name>ProjectWizardDevicePage</name>
    <message>
        <source>Select device model</source>
        <translation>Выбор модели устройства</translation>
    </message>
    <message>
        <source>Device model:</source>
        <translation>Модель устройства:</translation>
    </message>
</context>
<context>
    <name>Velmora::SimulationController</name>
    <message>
        <source>Force Value…</source>
        <translation>Задать значение…</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Отпустить</translation>
    </message>
    <message>
        <source>Remove from Trend</source>
        <translation>Убрать из тренда</translation>
    </message>
    <message>
        <source>Add to Trend</source>
        <translation>Добавить в тренд</translation>
    </message>
    <message>
        <source>Force Value</source>
        <translation>Задать значение</translation>
    </message>
    <message>
        <source>Value of %1:</source>
        <translation>Значение %1:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a value of this port.</source>
        <translation>«%1» не является значением этого порта.</translation>
    </message>
</context>
<context>
    <name>Velmora::SimulationIoPanel</name>
    <message>
        <source>Not simulating.</source>
        <translation>Симуляция не идёт.</translation>
    </message>
    <message>
        <source>The program uses no inputs, outputs, variables or registers.</source>
        <translation>Программа не использует ни входов, ни выходов, ни переменных, ни регистров.</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Входы</translation>
    </message>
    <message>
        <source>Analog inputs</source>
        <translation>Аналоговые входы</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Выходы</translation>
    </message>
    <message>
        <source>Variables and registers</source>
        <translation>Переменные и регистры</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
</context>
<context>
    <name>Velmora::TrendChart</name>
    <message>
        <source>Simulated time (s)</source>
        <translation>Время симуляции (с)</translation>
    </message>
</context>
</TS>
