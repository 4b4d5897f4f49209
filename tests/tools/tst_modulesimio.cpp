#include "build/projectbuilder.h"
#include "device/task.h"
#include "device/tcpdeviceclient.h"
#include "services/console.h"

#include "testmain.h"
#include "timerdiagram.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>

using namespace Velmora;

namespace {

// The simulator program with its output read line by line as it comes.
class SimulatorProcess
{
public:
    explicit SimulatorProcess(const QStringList& arguments)
    {
        m_process.start(QStringLiteral(VELMORA_MODULE_SIM), QStringList { "--port", "0", "--io" } + arguments);
    }
    ~SimulatorProcess()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    // Waits for a line matching `pattern` after the lines matched before; the match, or an
    // invalid one when the program said nothing of the kind within 20 s.
    QRegularExpressionMatch waitForLine(const QString& pattern)
    {
        const QRegularExpression expression(pattern);
        for (int waited = 0; waited < 400; ++waited) {
            for (; m_next < m_lines.size(); ++m_next) {
                const QRegularExpressionMatch match = expression.match(m_lines.at(m_next));
                if (match.hasMatch()) {
                    ++m_next;
                    return match;
                }
            }
            QCoreApplication::processEvents();
            m_process.waitForReadyRead(50);
            m_buffer += m_process.readAllStandardOutput();
            for (int end = m_buffer.indexOf('\n'); end >= 0; end = m_buffer.indexOf('\n')) {
                m_lines << QString::fromUtf8(m_buffer.left(end));
                m_buffer.remove(0, end + 1);
            }
        }
        return {};
    }

    // The lines read so far that match `pattern`.
    QStringList lines(const QString& pattern) const { return m_lines.filter(QRegularExpression(pattern)); }
    void write(const QByteArray& text) { m_process.write(text); }
    QString errors() { return QString::fromUtf8(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    QByteArray m_buffer;
    QStringList m_lines;
    int m_next = 0;
};

bool connectClient(TcpDeviceClient& client, quint16 port)
{
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(port);
    client.setReplyTimeouts(5000, 5000);
    client.connectToDevice();
    for (int waited = 0; waited < 100; ++waited) {
        for (const QList<QVariant>& line : qAsConst(console)) {
            if (line.at(0).toString() == QLatin1String("Connection: A connection is established."))
                return true;
        }
        console.wait(100);
    }
    return false;
}

} // namespace

// velmora-module-sim runs the task that the device client uploads: in.1 into a 100 ms "Timer
// ON" into out.2.
class tst_ModuleSimIo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void outputsFollowInputs();
    void flashKeepsTheTask();

private:
    QTemporaryDir m_dir;
    Task m_task;
};

void tst_ModuleSimIo::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Project project;
    QVERIFY(makeTimerProject(project, 100));
    ProjectBuilder builder;
    project.acceptBuilder(&builder);
    m_task = Task::fromBuild(KV_D01, *project.buildDataObj());
}

void tst_ModuleSimIo::outputsFollowInputs()
{
    SimulatorProcess simulator({});
    const QRegularExpressionMatch listening = simulator.waitForLine(QStringLiteral("listening on 127.0.0.1:(\\d+)$"));
    QVERIFY(listening.hasMatch());
    TcpDeviceClient client;
    QVERIFY(connectClient(client, quint16(listening.captured(1).toUInt())));
    QVERIFY(client.uploadTask(m_task));
    QVERIFY(client.runTask());
    QVERIFY(simulator.waitForLine(QStringLiteral("^task running: 3 blocks, cycle 10 ms$")).hasMatch());

    simulator.write("in.1=1\n");
    const QRegularExpressionMatch on = simulator.waitForLine(QStringLiteral("^t=(\\d+) out\\.2=1$"));
    QVERIFY(on.hasMatch());
    QCOMPARE(on.captured(1).toInt() % 10, 0);
    QVERIFY(on.captured(1).toInt() >= 100);

    simulator.write("in.1=0\nin.7\n");
    const QRegularExpressionMatch off = simulator.waitForLine(QStringLiteral("^t=(\\d+) out\\.2=0$"));
    QVERIFY(off.hasMatch());
    QVERIFY(off.captured(1).toInt() > on.captured(1).toInt());

    QVERIFY(client.stopTask());
    QVERIFY(simulator.waitForLine(QStringLiteral("^task stopped$")).hasMatch());
    QCOMPARE(simulator.lines(QStringLiteral("^t=")).size(), 2);
    client.disconnectFromDevice();
    QVERIFY(simulator.errors().contains(QStringLiteral("Not an input line (in.N=V, ain.N=V, var.N=V, mb.N=V): in.7")));
}

void tst_ModuleSimIo::flashKeepsTheTask()
{
    const QString flash = m_dir.filePath(QStringLiteral("flash.bin"));
    {
        SimulatorProcess simulator({ "--flash", flash });
        const QRegularExpressionMatch listening
            = simulator.waitForLine(QStringLiteral("listening on 127.0.0.1:(\\d+)$"));
        QVERIFY(listening.hasMatch());
        TcpDeviceClient client;
        QVERIFY(connectClient(client, quint16(listening.captured(1).toUInt())));
        QVERIFY(client.uploadTask(m_task));
        QVERIFY(client.saveTask());
        QVERIFY(simulator.waitForLine(QStringLiteral("^task saved in ")).hasMatch());
        client.disconnectFromDevice();
    }

    // The next start runs the saved task at once, as a module does at power-up.
    SimulatorProcess simulator({ "--flash", flash });
    QVERIFY(simulator.waitForLine(QStringLiteral("^task read from ")).hasMatch());
    QVERIFY(simulator.waitForLine(QStringLiteral("^task running: 3 blocks, cycle 10 ms$")).hasMatch());
    simulator.write("in.1=1\n");
    QVERIFY(simulator.waitForLine(QStringLiteral("^t=\\d+ out\\.2=1$")).hasMatch());
}

VLM_TEST_MAIN(tst_ModuleSimIo)
#include "tst_modulesimio.moc"
