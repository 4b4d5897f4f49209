#include "editor/stylecollection.h"

#include "editor/scenestyle.h"
#include "services/console.h"
#include "services/singleton.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QSettings>

#include <memory>

namespace Velmora {

namespace {

const char* const settingsGroup = "style_collection";
const char* const currentStyleKey = "current_style";
const char* const defaultStyleName = "Dark";

} // namespace

StyleCollection& StyleCollection::instance()
{
    static std::atomic<StyleCollection*> collection { nullptr };
    static QMutex mutex;
    return lazySingleton(collection, mutex, [] { return new StyleCollection; });
}

StyleCollection::StyleCollection() = default;

StyleCollection::~StyleCollection()
{
    qDeleteAll(m_styles);
}

bool StyleCollection::initCollection(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(&file, true, &message, &line, &column)) {
        // One multi-argument arg(), so a '%1' in the path is not taken for a placeholder.
        Console::instance().printMessage(
            QCoreApplication::translate("StyleCollection", "styles %1 parse error (row %2, column %3): %4.")
                .arg(path, QString::number(line), QString::number(column), message));
        return false;
    }

    const QDomElement root = document.documentElement();
    if (root.tagName() != QLatin1String("scene_style_collection"))
        return false;
    for (QDomElement element = root.firstChildElement(QStringLiteral("scene_style")); !element.isNull();
         element = element.nextSiblingElement(QStringLiteral("scene_style"))) {
        if (!readStyle(element))
            return false;
    }
    return true;
}

bool StyleCollection::readStyle(const QDomElement& element)
{
    auto style = std::make_unique<SceneStyle>();
    if (!style->read(element) || !appendStyle(style.get()))
        return false;
    style.release(); // the collection owns it now
    return true;
}

bool StyleCollection::appendStyle(SceneStyle* style)
{
    if (m_styles.contains(style->name()))
        return false;
    m_styles.insert(style->name(), style);
    return true;
}

QList<QString> StyleCollection::getNameStyles() const
{
    return m_styles.keys();
}

bool StyleCollection::containsStyle(const QString& name) const
{
    return m_styles.contains(name);
}

bool StyleCollection::setCurrentStyle(const QString& name)
{
    // An empty name means "no current style", even if a style without a name was loaded.
    if (name.isEmpty() || !m_styles.contains(name))
        return false;
    m_currentName = name;
    for (QGraphicsScene* scene : qAsConst(m_scenes)) {
        scene->invalidate(scene->sceneRect(), QGraphicsScene::AllLayers);
        scene->update();
        const QList<QGraphicsItem*> items = scene->items();
        for (QGraphicsItem* item : items)
            item->update();
    }
    return true;
}

SceneStyle* StyleCollection::currentStyle() const
{
    return m_currentName.isEmpty() ? nullptr : m_styles.value(m_currentName);
}

const SceneStyle& StyleCollection::paintStyle() const
{
    static const SceneStyle empty;
    const SceneStyle* style = currentStyle();
    return style ? *style : empty;
}

void StyleCollection::addScene(QGraphicsScene* scene)
{
    m_scenes.insert(scene);
}

void StyleCollection::removeScene(QGraphicsScene* scene)
{
    m_scenes.remove(scene);
}

void StyleCollection::readSettings(QSettings& settings)
{
    settings.beginGroup(QLatin1String(settingsGroup));
    const QString name = settings.value(QLatin1String(currentStyleKey), QLatin1String(defaultStyleName)).toString();
    settings.endGroup();
    // A stored name that is not loaded (a style dropped from the file, an edited settings
    // file) must not leave the scenes without a style: keep the current one, else the default.
    if (setCurrentStyle(name) || currentStyle())
        return;
    setCurrentStyle(QLatin1String(defaultStyleName));
}

void StyleCollection::writeSettings(QSettings& settings) const
{
    settings.beginGroup(QLatin1String(settingsGroup));
    settings.setValue(QLatin1String(currentStyleKey), m_currentName);
    settings.endGroup();
    settings.sync();
}

} // namespace Velmora
