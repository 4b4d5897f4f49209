#include "testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

// Every string literal of the program's sources (adjacent pieces joined), unescaped, with
// its white space simplified: the manual writes the long texts without their line breaks.
QSet<QString> programTexts()
{
    static const QRegularExpression literal(QStringLiteral(R"re("(?:[^"\\\n]|\\.)*"(?:\s*"(?:[^"\\\n]|\\.)*")*)re"));
    static const QRegularExpression joint(QStringLiteral(R"re("\s*")re"));
    QSet<QString> texts;
    for (const char* folder : { "/core", "/gui", "/app" }) {
        QDirIterator files(QStringLiteral(VLM_SOURCE_DIR) + QLatin1String(folder), { QStringLiteral("*.cpp"), QStringLiteral("*.h") },
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString source = QString::fromUtf8(file.readAll());
            for (auto match = literal.globalMatch(source); match.hasNext();) {
                QString text = match.next().captured(0);
                text = text.mid(1, text.size() - 2).replace(joint, QString());
                text.replace(QLatin1String("\\\""), QLatin1String("\"")).replace(QLatin1String("\\n"), QLatin1String("\n"));
                if (!text.trimmed().isEmpty())
                    texts.insert(text.simplified());
            }
        }
    }
    // What Qt itself writes into a message.
    texts.insert(QStringLiteral("Connection refused"));
    return texts;
}

// Whether the quoted message is one of the texts, with %1, %2 ... filled in by a number, by
// the manual's own %1, <path> or ellipsis, or by another of the texts.
bool producible(const QString& message, const QSet<QString>& texts, int depth = 0)
{
    static const QRegularExpression atom(QStringLiteral(R"(^(%\d|-?\d+|<[a-z ]+>|…|\.\.\.|)$)"));
    if (texts.contains(message) || atom.match(message).hasMatch())
        return true;
    // An ellipsis of the manual stands for the rest of a text.
    if (depth == 0 && (message.contains(QStringLiteral("…")) || message.contains(QLatin1String("...")))) {
        QStringList pieces;
        for (const QString& piece : message.split(QRegularExpression(QStringLiteral("…|\\.\\.\\."))))
            pieces << QRegularExpression::escape(piece);
        const QRegularExpression elided(QLatin1Char('^') + pieces.join(QStringLiteral(".+")) + QLatin1Char('$'));
        for (const QString& text : texts) {
            if (elided.match(text).hasMatch())
                return true;
        }
    }
    if (depth == 2)
        return false;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const QString& text : texts) {
        if (!text.contains(placeholder))
            continue;
        QStringList pieces;
        for (const QString& piece : text.split(placeholder))
            pieces << QRegularExpression::escape(piece);
        const QString pattern = pieces.join(QStringLiteral("(.*)"));
        const QRegularExpressionMatch match = QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')).match(message);
        if (!match.hasMatch())
            continue;
        bool filled = true;
        for (int group = 1; filled && group <= match.lastCapturedIndex(); ++group)
            filled = producible(match.captured(group), texts, depth + 1);
        if (filled)
            return true;
    }
    return false;
}

} // namespace

class tst_ManualMessages : public QObject
{
    Q_OBJECT
private slots:
    void quotedMessages_data();
    void quotedMessages();
};

// Each message the troubleshooting tables of the manual quote, in their first column, up to
// "for example" (which names texts of the system).
void tst_ManualMessages::quotedMessages_data()
{
    QTest::addColumn<QString>("message");
    QFile manual(QStringLiteral(VLM_SOURCE_DIR "/docs/manual.md"));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(manual.readAll());
    const int start = text.indexOf(QRegularExpression(QStringLiteral("\n## \\d+\\. Troubleshooting")));
    QVERIFY(start > 0);
    static const QRegularExpression quoted(QStringLiteral("`([^`]+)`"));
    int rows = 0;
    for (const QString& line : text.mid(start).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("| `")))
            continue;
        QString cell = line.section(QLatin1Char('|'), 1, 1);
        cell = cell.left(cell.indexOf(QLatin1String("for example")) >= 0 ? cell.indexOf(QLatin1String("for example")) : cell.size());
        for (auto match = quoted.globalMatch(cell); match.hasNext();) {
            const QString message = match.next().captured(1);
            QTest::newRow(qPrintable(message)) << message;
            ++rows;
        }
    }
    QVERIFY(rows > 50);
}

void tst_ManualMessages::quotedMessages()
{
    static const QSet<QString> texts = programTexts();
    QFETCH(QString, message);
    QVERIFY2(producible(message, texts), qPrintable(message));
}

VLM_TEST_MAIN(tst_ManualMessages)
#include "tst_manualmessages.moc"
