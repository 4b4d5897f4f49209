<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
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
</TS>
