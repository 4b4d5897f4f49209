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
    QTest::addColumn<bool>("inWorking");
    QTest::addColumn<bool>("inInstalled");
    QTest::addColumn<QString>("found");

    QTest::newRow("both: the working directory's") << true << true << "working";
    QTest::newRow("working directory only") << true << false << "working";
    QTest::newRow("installed only") << false << true << "installed";
    QTest::newRow("neither") << false << false << "";
}

void tst_ManualLocator::findOrder()
{
    QFETCH(bool, inWorking);
    QFETCH(bool, inInstalled);
    QFETCH(QString, found);

    QTemporaryDir working;
    QTemporaryDir installed;
    if (inWorking)
        QVERIFY(writeManual(working.path()));
    if (inInstalled)
        QVERIFY(writeManual(installed.path()));

    const QString expected = found.isEmpty() ? QString()
        : QDir(found == "working" ? working.path() : installed.path()).filePath(QStringLiteral("manual.pdf"));
    QCOMPARE(ManualLocator::find(working.path(), installed.path()), expected);
}

void tst_ManualLocator::directoryNamedLikeTheManualIsNoManual()
{
    QTemporaryDir working;
    QTemporaryDir installed;
    QVERIFY(QDir(working.path()).mkdir(QStringLiteral("manual.pdf")));
    QVERIFY(writeManual(installed.path()));
    QCOMPARE(ManualLocator::find(working.path(), installed.path()),
             QDir(installed.path()).filePath(QStringLiteral("manual.pdf")));
}

void tst_ManualLocator::installedDirectoryIsTheDocumentationDirectory()
{
    QCOMPARE(ManualLocator::installedDirectory(), QStringLiteral(VLM_INSTALLED_DOCDIR));
}

VLM_TEST_MAIN(tst_ManualLocator)
#include "tst_manuallocator.moc"
