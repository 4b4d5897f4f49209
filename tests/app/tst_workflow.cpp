#include "mainwindow.h"

#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "project/project.h"
#include "project/projectmanager.h"

#include "devicetesthelpers.h"
#include "dialoghelpers.h"
#include "scenetesthelpers.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGraphicsView>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <QWizard>

using namespace Velmora;

namespace {

QAction* action(const MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

// The library row of a block, searched in every section.
QModelIndex libraryEntry(QAbstractItemModel* model, const QString& name)
{
    for (int section = 0; section < model->rowCount(); ++section) {
        const QModelIndex parent = model->index(section, 0);
        for (int row = 0; row < model->rowCount(parent); ++row) {
            if (model->index(row, 0, parent).data().toString() == name)
                return model->index(row, 0, parent);
        }
    }
    return {};
}

// Drops a library entry onto the view at a scene point, with the drag data the tree makes.
void dropBlock(QTreeView* library, QGraphicsView* view, const QString& name, const QPointF& scenePos)
{
    const QModelIndex entry = libraryEntry(library->model(), name);
    QVERIFY2(entry.isValid(), qPrintable(name));
    std::unique_ptr<QMimeData> mime(library->model()->mimeData({ entry }));
    const QPoint at = view->mapFromScene(scenePos);
    QDragEnterEvent enter(at, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &move);
    QDropEvent drop(at, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view->viewport(), &drop);
}

void clickAt(QGraphicsView* view, const QPointF& scenePos)
{
    const QPoint at = view->mapFromScene(scenePos);
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

// Picks the one project kind and fills the wizard: name and directory, then the device.
std::function<void(QWidget*)> pickProjectKind()
{
    return [](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
        list->setCurrentRow(0);
        dialog->findChild<QPushButton*>(QStringLiteral("selected"))->click();
    };
}

std::function<void(QWidget*)> fillWizard(const QString& name, const QString& dir)
{
    return [name, dir](QWidget* dialog) {
        auto* wizard = qobject_cast<QWizard*>(dialog);
        const QList<QLineEdit*> edits = wizard->currentPage()->findChildren<QLineEdit*>();
        QTest::keyClicks(edits.at(0), name);
        QTest::keyClicks(edits.at(1), dir);
        wizard->button(QWizard::NextButton)->click();
        wizard->currentPage()->findChild<QComboBox*>()->setCurrentIndex(0);
        wizard->button(QWizard::FinishButton)->click();
    };
}

std::function<void(QWidget*)> setConnection(quint16 port)
{
    return [port](QWidget* dialog) {
        auto* ip = dialog->findChild<QLineEdit*>(QStringLiteral("ipLineEdit"));
        ip->clear();
        QTest::keyClicks(ip, QStringLiteral("127.0.0.1"));
        auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("portSpinBox"));
        spin->setValue(port);
        emit spin->editingFinished();
        dialog->findChild<QPushButton*>(QStringLiteral("okPushButton"))->click();
    };
}

} // namespace

class tst_Workflow : public QObject
{
    Q_OBJECT
private slots:
    void fromNewProjectToFlash();
};

void tst_Workflow::fromNewProjectToFlash()
{
    QTemporaryDir dir;
    SimulatedModule sim;
    MainWindow window;
    window.resize(1400, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    auto* tabs = qobject_cast<QTabWidget*>(window.centralWidget());
    auto* library = window.findChild<QDockWidget*>("dockLeft")->widget()->findChild<QTreeView*>();

    // New project "pump" through the creation dialog and the wizard.
    answerDialogs({ pickProjectKind(), fillWizard(QStringLiteral("pump"), dir.path()) });
    action(window, "actionNew")->trigger();
    QTRY_COMPARE(tabs->count(), 1);
    const QString path = dir.filePath(QStringLiteral("pump/pump.vlm"));
    QCOMPARE(QFileInfo(path).size(), 20);
    QCOMPARE(window.windowTitle(), QStringLiteral("pump.vlm - Tarkel-KV-D01[*] - Velmora"));

    // A HIGH constant feeding an AND, dropped from the library and joined by clicking ports.
    auto* view = qobject_cast<QGraphicsView*>(tabs->currentWidget());
    QVERIFY(view);
    dropBlock(library, view, QStringLiteral("HIGH"), QPointF(60, 60));
    dropBlock(library, view, QStringLiteral("AND"), QPointF(300, 60));
    auto* scene = static_cast<GraphicsScene*>(view->scene());
    QVector<FuncBlock*> blocks = scene->getFuncBlocks();
    QCOMPARE(blocks.size(), 2);
    clickAt(view, SceneView::outPort(blocks.at(0), 0));
    clickAt(view, SceneView::inPort(blocks.at(1), 0));
    QCOMPARE(scene->getConnections().size(), 1);
    QVERIFY(window.isWindowModified());

    action(window, "actionSave")->trigger();
    QVERIFY(!window.isWindowModified());
    const QByteArray saved = [&] { QFile file(path); file.open(QIODevice::ReadOnly); return file.readAll(); }();
    action(window, "actionClose")->trigger();
    QCOMPARE(tabs->count(), 0);

    answerDialogs({ chooseFile(path) });
    action(window, "actionOpen")->trigger();
    QTRY_COMPARE(tabs->count(), 1);
    scene = static_cast<GraphicsScene*>(qobject_cast<QGraphicsView*>(tabs->currentWidget())->scene());
    QCOMPARE(scene->getFuncBlocks().size(), 2);
    QCOMPARE(scene->getConnections().size(), 1);

    // The module: the simulator on this computer.
    answerDialogs({ setConnection(sim.module.serverPort()) });
    action(window, "actionSettings")->trigger();
    console.clear();
    action(window, "actionConnect")->trigger();
    QTRY_COMPARE(console.size(), 3); // connected
    // The AND's second input is open: the check asks, and the newcomer uploads all the same.
    answerDialogs({ pressButton(QMessageBox::Yes) });
    for (const char* name : { "actionUpload", "actionRun", "actionStop", "actionSaveFlash" })
        action(window, name)->trigger();

    QStringList lines;
    for (const QList<QVariant>& line : console)
        lines << line.first().toString();
    const QString ok = QStringLiteral("Device replie: SUCCESS. command: %1");
    const QStringList expected {
        QStringLiteral("Connection: Search for the host name."),
        QStringLiteral("Connection: Establishing connection."),
        QStringLiteral("Connection: A connection is established."),
        QStringLiteral("Check: 1 errors, 1 warnings."),
        ok.arg("Load in RAM memory."), ok.arg("Load in RAM memory."), QStringLiteral("Loading in RAM: Success."),
        ok.arg("Upload func block."), ok.arg("Upload data block."), ok.arg("Set task state."),
        QStringLiteral("Initializing the module: Success."),
        ok.arg("Set task state."), QStringLiteral("Running task: Success."),
        ok.arg("Set task state."), QStringLiteral("Stopping task: Success."),
        ok.arg("Set task state."), QStringLiteral("Stopping task: Success."),
        ok.arg("Save to flash."), QStringLiteral("Save task: Success."), ok.arg("Set task state."),
    };
    QCOMPARE(lines, expected);

    // One AND fed by the constant; the header counts one block, three ports and one constant.
    QCOMPARE(sim.module.taskHeader().toHex(' '), QByteArray("0a 00 01 00 03 00 01 00 01 00"));
    QCOMPARE(sim.module.baseRecords().size(), 1);
    QCOMPARE(sim.module.baseRecords().first().toHex(' '), QByteArray("00 00 01 02 05 00 00 00 00 00 01 02 00 00"));
    QCOMPARE(sim.module.constRecords().size(), 1);
    QCOMPARE(sim.module.constRecords().first().toHex(' '), QByteArray("05 00 00 01 00 00 00"));
    QVERIFY(sim.module.isSavedInFlash());

    // The file holds the project envelope for the first model and both blocks by name.
    QCOMPARE(saved.left(16).toHex(), QByteArray("6e1c4b9a2f07d3580000000100000002"));
    for (const QByteArray& name : { QByteArray("HIGH"), QByteArray("AND") }) {
        QByteArray utf16; // as the file's big-endian stream writes it
        for (char letter : name)
            utf16 += QByteArray(1, '\0') + letter;
        QVERIFY(saved.contains(utf16));
    }
}

VLM_TEST_MAIN(tst_Workflow)
#include "tst_workflow.moc"
