// Runs every file of the given folders through one fuzz entry point, as the normal test build
// does for the seed inputs and for the inputs that once crashed.
#include "fuzzsupport.h"

#include <QDirIterator>
#include <QFile>
#include <QTextStream>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator files(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                return 2;
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    Velmora::FuzzSupport::instance().release();
    QTextStream(stdout) << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
