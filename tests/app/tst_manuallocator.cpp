#include "manuallocator.h"

#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Velmora;

namespace {

bool writeManual(const QString& directory)
{
    QFile file(QDir(directory).filePath(QStringLiteral("manual.pdf")));
    return file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4\n") > 0;
}

} // namespace

class tst_ManualLocator : public QObject
{
    Q_OBJECT
private slots:
    void findOrder_data();
    void findOrder();
    void directoryNamedLikeTheManualIsNoManual();
    void installedDirectoryIsTheDocumentationDirectory();
};

void tst_ManualLocator::findOrder_data()
{
    QTest::addColumn<QString>("holding"); // the folders with a manual: w(orking), b(eside the program), i(nstalled)
    QTest::addColumn<QString>("found");

    QTest::newRow("all: the working directory's") << "wbi" << "w";
    QTest::newRow("working directory only") << "w" << "w";
    QTest::newRow("beside the program and installed") << "bi" << "b";
    QTest::newRow("installed only") << "i" << "i";
    QTest::newRow("neither") << "" << "";
}

void tst_ManualLocator::findOrder()
{
    QFETCH(QString, holding);
    QFETCH(QString, found);

    QTemporaryDir folders[3];
    QStringList directories;
    for (int i = 0; i < 3; ++i) {
        directories << folders[i].path();
        if (holding.contains(QStringLiteral("wbi").at(i)))
            QVERIFY(writeManual(folders[i].path()));
    }
    const int index = found.isEmpty() ? -1 : QStringLiteral("wbi").indexOf(found);
    const QString expected = index < 0 ? QString() : QDir(directories.at(index)).filePath(QStringLiteral("manual.pdf"));
    QCOMPARE(ManualLocator::find(directories), expected);
}

void tst_ManualLocator::directoryNamedLikeTheManualIsNoManual()
{
    QTemporaryDir working;
    QTemporaryDir installed;
    QVERIFY(QDir(working.path()).mkdir(QStringLiteral("manual.pdf")));
    QVERIFY(writeManual(installed.path()));
    QCOMPARE(ManualLocator::find({ working.path(), installed.path() }),
             QDir(installed.path()).filePath(QStringLiteral("manual.pdf")));
}

void tst_ManualLocator::installedDirectoryIsTheDocumentationDirectory()
{
    QCOMPARE(ManualLocator::installedDirectory(), QStringLiteral(VLM_INSTALLED_DOCDIR));
    // The build tree: build/app/velmora reads build/docs/manual.pdf.
    QCOMPARE(ManualLocator::searchDirectories(QStringLiteral("/work")),
             (QStringList { "/work", QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../docs"),
                            QStringLiteral(VLM_INSTALLED_DOCDIR) }));
}

VLM_TEST_MAIN(tst_ManualLocator)
#include "tst_manuallocator.moc"
