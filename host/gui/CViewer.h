#pragma once
// Base of every framework widget. A viewer is constructed with its parent viewer, which owns it
// (it is the Qt parent). A viewer raises framework events (CViewerEvent): the viewer itself and
// then its ancestors handle them until one consumes them. A viewer may be read-only (its controls
// take no input; a read-only ancestor makes every descendant read-only) and may carry an online
// key, the name of the parameter that the host's help line shows for it.
#include <QByteArray>
#include <QWidget>

#include "host/util/VGXModuleInterface.h"

namespace MvGuiFramework {

class CViewerEvent;

class VGX_EXPORT CViewer : public QWidget {
    Q_OBJECT
public:
    explicit CViewer(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~CViewer() override;

    // Nearest ancestor that is a viewer; null for a top-level viewer.
    CViewer* parentViewer() const;
    // The widget itself when it is a viewer, else its nearest viewer ancestor; null when none.
    static CViewer* viewerOf(QWidget* widget);

    // Raise an event here; answers whether a viewer consumed it.
    bool sendActionEvent(int code);
    bool sendUserEvent(int code);
    bool dispatchEvent(CViewerEvent& event);

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // This viewer's own flag or that of an ancestor viewer.
    bool isEffectivelyReadOnly() const;

    // The key is shown as status tip and, while a widget of this viewer has the focus, as the
    // current context-sensitive help (VGXConst).
    void setOnlineKey(const char* key);
    void setOnlineKey(const QByteArray& key);
    const QByteArray& onlineKey() const { return m_onlineKey; }
    // Online key of the widget or its nearest ancestor viewer that has one.
    static QByteArray onlineKeyOf(QWidget* widget);

    // A palette of the host's palette registry by name ("DefaultPalette", "DiagramBlock");
    // false, and nothing changed, for an unknown name.
    bool setColorPalette(const QString& name);
    const QString& colorPaletteName() const { return m_paletteName; }
    // A font of the host's style registry by name ("SmallTableFont"); false for an unknown name.
    bool setFontStyle(const QString& name);

protected:
    // Handlers of the events that reach this viewer; consume the event to stop it. The defaults
    // do nothing, so the event goes on to the parent viewer.
    virtual void processActionEvent(CViewerEvent* event);
    virtual void processUserEvent(CViewerEvent* event);
    // Told on this viewer and every descendant viewer when the effective read-only state may have
    // changed.
    virtual void readOnlyChanged(bool readOnly);

private:
    bool m_readOnly = false;
    QByteArray m_onlineKey;
    QString m_paletteName;
};

} // namespace MvGuiFramework
