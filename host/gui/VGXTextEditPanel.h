#pragma once
// A panel holding a text area that shows a string parameter: the whole text is replaced whenever
// the parameter changes (a test log).
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXTextEdit;

class VGX_EXPORT VGXTextEditPanel : public VGXPanel, public VGXDataListener {
    Q_OBJECT
public:
    // An empty binding makes a plain text area.
    explicit VGXTextEditPanel(QWidget* parent = nullptr,
                              const VGXUserDbAttributes& binding = VGXUserDbAttributes());
    ~VGXTextEditPanel() override;

    VGXTextEdit* textEdit() const { return m_text; }
    VGXDatabaseConnectorEntry* connector() const { return m_entry; }

    void processDataEvent(VGXDataEvent* event) override;

private:
    VGXTextEdit* m_text;
    VGXDatabaseConnectorEntry* m_entry = nullptr;
};

} // namespace MvQARN
