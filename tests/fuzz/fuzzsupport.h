#pragma once

#include "library/fblibreader.h"

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

    // The shipped block library, read once, for targets that make blocks.
    static void loadShippedLibrary()
    {
        instance();
        static const bool loaded = FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml"));
        Q_UNUSED(loaded);
    }

    // Feeds the stream after the input's first byte to `take` in pieces of 1 to `maxPiece`
    // bytes, the size set by that first byte, as a socket may deliver it. The byte itself is
    // returned for targets that read more from it.
    template<typename Take>
    static uint8_t inPieces(const uint8_t* data, size_t size, int maxPiece, Take take)
    {
        if (size == 0)
            return 0;
        const int piece = 1 + data[0] % maxPiece;
        const QByteArray stream = bytes(data + 1, size - 1);
        for (int at = 0; at < stream.size(); at += piece)
            take(stream.mid(at, piece));
        return data[0];
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
