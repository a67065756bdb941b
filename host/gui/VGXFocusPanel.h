#pragma once
// A panel that takes the keyboard focus as a whole (for example around a table): it shows a focus
// frame while it or one of its widgets has the focus, and Return, Enter or Space raise the action
// event ActionActivated.
#include "host/gui/VGXPanel.h"

namespace MvQARN {

class VGX_EXPORT VGXFocusPanel : public VGXPanel {
    Q_OBJECT
public:
    explicit VGXFocusPanel(QWidget* parent = nullptr);
    ~VGXFocusPanel() override;

    // True while the panel or a widget inside it has the focus.
    bool hasFocusWithin() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace MvQARN
