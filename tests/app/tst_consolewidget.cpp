#include "aboutdialog.h"
#include "consolewidget.h"
#include "undoview.h"

#include "testmain.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTextEdit>
#include <QToolButton>

using namespace Velmora;

// The console and the two other small windows of the program.
class tst_ConsoleWidget : public QObject
{
    Q_OBJECT
private slots:
    void linesAreStampedAndBlack();
    void markupTakesEffect();
    void clearStartsAtTheTop();
    void aboutBox();
    void undoViewEmptyLabel();
};

namespace {

QTextEdit* textField(ConsoleWidget& console)
{
    return console.findChild<QTextEdit*>(QStringLiteral("textField"));
}

} // namespace

void tst_ConsoleWidget::linesAreStampedAndBlack()
{
    ConsoleWidget console;
    console.slotPrintMessage(QStringLiteral("first"));
    console.slotPrintMessage(QStringLiteral("second"));
    console.slotPrintMessage(QStringLiteral("Cannot read file /tmp/a<b>c&amp;.vlm"));
    const QStringList lines = textField(console)->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines.at(2).endsWith(QLatin1String("] Cannot read file /tmp/a<b>c&amp;.vlm")));
    const QRegularExpression stamped(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] (first|second)$"));
    QVERIFY2(stamped.match(lines.at(0)).hasMatch(), qPrintable(lines.at(0)));
    QVERIFY2(stamped.match(lines.at(1)).hasMatch(), qPrintable(lines.at(1)));
    QVERIFY(lines.at(1).endsWith(QLatin1String("second")));
    QCOMPARE(lines.at(3), QString());

    QTextCursor cursor(textField(console)->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::black));
}

void tst_ConsoleWidget::markupTakesEffect()
{
    ConsoleWidget console;
    console.slotPrintMessageExt(QStringLiteral("a <b>bold</b> word"), false, Qt::red);
    QTextDocument* document = textField(console)->document();
    QVERIFY(document->toPlainText().endsWith(QLatin1String("a bold word")));
    const QTextCursor bold = document->find(QStringLiteral("bold"));
    QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(bold.charFormat().foreground().color(), QColor(Qt::red));
    QVERIFY(!document->isUndoAvailable());

    // Placeholders inside a message are text, not places for the colour or the time.
    console.slotPrintMessageExt(QStringLiteral("file /tmp/a%1b%2.vlm"), false, Qt::blue);
    QVERIFY(document->toPlainText().endsWith(QLatin1String("] file /tmp/a%1b%2.vlm")));
    QCOMPARE(document->find(QStringLiteral("a%1b")).charFormat().foreground().color(), QColor(Qt::blue));
}

void tst_ConsoleWidget::clearStartsAtTheTop()
{
    ConsoleWidget console;
    console.slotPrintMessage(QStringLiteral("old"));
    QTest::mouseClick(console.findChild<QToolButton*>(QStringLiteral("clearlButton")), Qt::LeftButton);
    QCOMPARE(textField(console)->toPlainText(), QString());
    console.slotPrintMessage(QStringLiteral("new"));
    QVERIFY(textField(console)->toPlainText().startsWith(QLatin1Char('[')));
    QVERIFY(!textField(console)->toPlainText().contains(QLatin1String("old")));
}

void tst_ConsoleWidget::aboutBox()
{
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Velmora"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("programNameLabel"))->text(), QStringLiteral("Velmora 0.2.0"));
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{10}$")).match(AboutDialog::revision()).hasMatch());
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("revisionLabel"))->text(),
             QStringLiteral("From revision: ") + AboutDialog::revision());
}

void tst_ConsoleWidget::undoViewEmptyLabel()
{
    UndoView view;
    QCOMPARE(view.emptyLabel(), QStringLiteral("<Empty stack>"));
    view.setEmptyLabel(QString());
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&view, &change);
    QCOMPARE(view.emptyLabel(), QStringLiteral("<Empty stack>"));
}

VLM_TEST_MAIN(tst_ConsoleWidget)
#include "tst_consolewidget.moc"
