#pragma once
// A panel whose controls the user walks through with the keyboard: besides Tab, the Up and Down
// keys that a control does not use itself move the focus to the previous or next control.
#include "host/gui/VGXPanel.h"

namespace MvQARN {

class VGX_EXPORT VGXNavigationPanel : public VGXPanel {
    Q_OBJECT
public:
    explicit VGXNavigationPanel(QWidget* parent = nullptr);
    ~VGXNavigationPanel() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace MvQARN
