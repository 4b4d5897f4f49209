#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#ifdef QT_WIDGETS_LIB
#include <QApplication>
using VlmTestApplication = QApplication;
#else
#include <QCoreApplication>
using VlmTestApplication = QCoreApplication;
#endif

// Runs a test object with every settings store of the process in a fresh temporary folder,
// so a test never reads or writes the user's own settings.
#define VLM_TEST_MAIN(TestObject)                                                                                      \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        QTemporaryDir settingsDir;                                                                                     \
        if (!settingsDir.isValid())                                                                                    \
            return 1;                                                                                                  \
        qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());                                                  \
        qputenv("HOME", settingsDir.path().toLocal8Bit());                                                             \
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());                            \
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());                         \
        VlmTestApplication app(argc, argv);                                                                            \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
