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
</TS>
