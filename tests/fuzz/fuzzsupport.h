#pragma once

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace Velmora {

// What every entry point needs: an offscreen application with its settings in a scratch
// folder, silent Qt messages (fuzzing prints nothing per input), and a scratch file for
// readers that take a path.
class FuzzSupport
{
public:
    static FuzzSupport& instance()
    {
        static FuzzSupport support;
        return support;
    }

    // Writes the input into the scratch file of that suffix and gives its path.
    QString scratchFile(const uint8_t* data, size_t size, const QString& suffix)
    {
        const QString path = m_dir.filePath(QStringLiteral("input.") + suffix);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(reinterpret_cast<const char*>(data), qint64(size));
        return path;
    }

    // Objects an input's code released with deleteLater() go now, so nothing piles up.
    static void finishInput() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Ends the application, as a replay does before it exits, so that what Qt holds (fonts,
    // caches) is released rather than reported as leaked.
    void release()
    {
        finishInput();
        delete m_app;
        m_app = nullptr;
    }

    static QByteArray bytes(const uint8_t* data, size_t size)
    {
        return QByteArray(reinterpret_cast<const char*>(data), int(size));
    }

private:
    FuzzSupport()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { });
        static int argc = 1;
        static char name[] = "velmora-fuzz";
        static char* argv[] = { name, nullptr };
        m_app = new QApplication(argc, argv);
    }

    QTemporaryDir m_dir;
    QApplication* m_app = nullptr;
};

} // namespace Velmora
