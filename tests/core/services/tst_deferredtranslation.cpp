#include "services/console.h"
#include "services/deferredtranslation.h"

#include "testmain.h"

#include <QTranslator>

using namespace Velmora;

namespace {

// A translator that knows one text of one context.
class OneTextTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int n) const override
    {
        if (qstrcmp(context, "ctx") == 0 && qstrcmp(sourceText, "Project") == 0)
            return n < 0 ? QStringLiteral("Проект") : QStringLiteral("Проекты %1").arg(n);
        return QString();
    }
};

} // namespace

class tst_DeferredTranslation : public QObject
{
    Q_OBJECT
private slots:
    void equality_data();
    void equality();
    void defaults();
    void translatesWhenUsed();
    void variantHoldsItself();
    void consoleIsOneObject();
    void printMessageEmitsLine_data();
    void printMessageEmitsLine();
};

void tst_DeferredTranslation::equality_data()
{
    QTest::addColumn<DeferredTranslation>("other");
    QTest::addColumn<bool>("equal");

    QTest::newRow("same") << DeferredTranslation::translate("ctx", "Project", "kind", 2) << true;
    QTest::newRow("other n") << DeferredTranslation::translate("ctx", "Project", "kind", 3) << false;
    QTest::newRow("other context") << DeferredTranslation::translate("Ctx", "Project", "kind", 2) << false;
    QTest::newRow("other text") << DeferredTranslation::translate("ctx", "project", "kind", 2) << false;
    QTest::newRow("other disambiguation") << DeferredTranslation::translate("ctx", "Project", nullptr, 2) << false;
}

void tst_DeferredTranslation::equality()
{
    QFETCH(DeferredTranslation, other);
    QFETCH(bool, equal);
    const DeferredTranslation text = DeferredTranslation::translate("ctx", "Project", "kind", 2);
    QCOMPARE(text == other, equal);
    QCOMPARE(text != other, !equal);
    const DeferredTranslation copy(other);
    QVERIFY(copy == other);
}

void tst_DeferredTranslation::defaults()
{
    QVERIFY(DeferredTranslation() == DeferredTranslation::translate(nullptr, nullptr, nullptr, -1));
    // Every negative n is kept as -1.
    QVERIFY(DeferredTranslation::translate("ctx", "Project", nullptr, -7)
            == DeferredTranslation::translate("ctx", "Project", nullptr, -1));
    QCOMPARE(DeferredTranslation().translate(), QString());
}

void tst_DeferredTranslation::translatesWhenUsed()
{
    const DeferredTranslation text = DeferredTranslation::translate("ctx", "Project", nullptr, -1);
    const DeferredTranslation counted = DeferredTranslation::translate("ctx", "Project", nullptr, 4);
    QCOMPARE(text.translate(), QStringLiteral("Project"));

    OneTextTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(text.translate(), QStringLiteral("Проект"));
    QCOMPARE(QString(text), QStringLiteral("Проект"));
    QCOMPARE(counted.translate(), QStringLiteral("Проекты 4"));
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(QString(text), QStringLiteral("Project"));
}

void tst_DeferredTranslation::variantHoldsItself()
{
    const DeferredTranslation text = DeferredTranslation::translate("ctx", "Project", nullptr, -1);
    const QVariant variant = text;
    QCOMPARE(QMetaType::typeName(variant.userType()), "Velmora::DeferredTranslation");
    QVERIFY(variant.value<DeferredTranslation>() == text);
}

void tst_DeferredTranslation::consoleIsOneObject()
{
    QVERIFY(&Console::instance() == &Console::instance());
}

void tst_DeferredTranslation::printMessageEmitsLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << QString("");
    QTest::newRow("text") << QString("Connection: Connected");
    QTest::newRow("markup kept") << QString("<b>bold</b> ");
}

void tst_DeferredTranslation::printMessageEmitsLine()
{
    QFETCH(QString, line);
    QSignalSpy printed(&Console::instance(), &Console::onPrintMessage);
    Console::instance().printMessage(line);
    QCOMPARE(printed.count(), 1);
    QCOMPARE(printed.at(0).at(0).toString(), line);
}

VLM_TEST_MAIN(tst_DeferredTranslation)
#include "tst_deferredtranslation.moc"
