#pragma once
// The transient recorder dialog of one recorder (interface instance and direction, channel): its
// settings beside a "Graphics" panel with a caption above the recorder's graph.
#include "host/gui/VGXDataListener.h"
#include "ui/KobraDialog.h"

class QLabel;

namespace MvQARN {

class CKobraGraph;
class CKobraTranRecSettings;
class VGXDatabaseConnectorEntry;
class VGXPanel;

class VGX_EXPORT CKobraDlgTranRec : public KobraDialog, public VGXDataListener {
    Q_OBJECT
public:
    CKobraDlgTranRec(const QString& qualifier, int instance, int direction, int channel);
    ~CKobraDlgTranRec() override;

    CKobraTranRecSettings* settings() const { return m_settings; }
    VGXPanel* graphicsPanel() const { return m_graphics; }
    CKobraGraph* graph() const { return m_graph; }
    QLabel* captionLabel() const { return m_caption; }

    // The caption label shows the base text, followed by " - " and the caption when there is one.
    void setCaption(const QString& caption);

    void processDataEvent(VGXDataEvent* event) override;

private:
    CKobraTranRecSettings* m_settings = nullptr;
    VGXPanel* m_graphics = nullptr;
    QLabel* m_caption = nullptr;
    QString m_captionBase;
    CKobraGraph* m_graph = nullptr;
    VGXDatabaseConnectorEntry* m_display = nullptr;
};

} // namespace MvQARN
