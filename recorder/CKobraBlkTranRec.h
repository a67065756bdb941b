#pragma once
// A transient recorder in the host's block diagram: a small live graph of the recorder's data under
// the title "TR n". Clicking it, or its default action, opens the recorder dialog or brings it to
// the front.
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXPanelClasses.h"

namespace MvQARN {

class CKobraGraph;

class VGX_EXPORT CKobraBlkTranRec : public VGXPanel {
    Q_OBJECT
public:
    CKobraBlkTranRec(int instance, int direction, int channel, QWidget* parent);
    ~CKobraBlkTranRec() override;

    int instance() const { return m_instance; }
    int direction() const { return m_direction; }
    int channel() const { return m_channel; }
    CKobraGraph* graph() const { return m_graph; }

    // Creator the plug-in registers with the host's panel registry: parent, instance, direction and
    // channel of the arguments.
    static VGXPanel* create(const VGXPanelClasses::SArgs& args);

protected:
    void processActionEvent(MvGuiFramework::CViewerEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_instance;
    int m_direction;
    int m_channel;
    CKobraGraph* m_graph = nullptr;
};

} // namespace MvQARN
