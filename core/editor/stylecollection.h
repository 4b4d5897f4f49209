#pragma once

#include "vlm_core_export.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

class QDomElement;
class QGraphicsScene;
class QSettings;

namespace Velmora {

class SceneStyle;

// The loaded scene styles, which one is current, and the scenes to repaint when it changes.
class VLM_CORE_EXPORT StyleCollection
{
    Q_DISABLE_COPY(StyleCollection)
public:
    // The process-wide collection. A separate one can be made for tests.
    static StyleCollection& instance();

    StyleCollection();
    ~StyleCollection();

    // Adds the styles of an XML file; false when the file is unreadable, not a style file or
    // repeats a loaded name. Styles read before a failure stay loaded.
    bool initCollection(const QString& path);

    QList<QString> getNameStyles() const;
    bool containsStyle(const QString& name) const;
    // False, and nothing changes, for a name that is not loaded.
    bool setCurrentStyle(const QString& name);
    // Null when the current name is empty or not loaded.
    SceneStyle* currentStyle() const;
    QString currentStyleName() const { return m_currentName; }

    // What painting uses: the current style, or an empty style (every colour invalid) while
    // none is loaded, so that nothing is ever painted without one.
    const SceneStyle& paintStyle() const;

    void addScene(QGraphicsScene* scene);
    void removeScene(QGraphicsScene* scene);

    // Group "style_collection", key "current_style" (default "Dark"). A name that is not
    // loaded keeps the current style, or "Dark" when there was none.
    void readSettings(QSettings& settings);
    void writeSettings(QSettings& settings) const;

private:
    bool readStyle(const QDomElement& element);
    bool appendStyle(SceneStyle* style);

    QSet<QGraphicsScene*> m_scenes;
    QMap<QString, SceneStyle*> m_styles;
    QString m_currentName;
};

} // namespace Velmora
