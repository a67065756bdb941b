#pragma once
// An element of the host's block diagram: a framed box with a title, drawn with the block
// palette. The title comes from its title border; a second border is drawn while the block is
// selected (it or one of its widgets has the focus).
//
// Events: a click on the block raises the action event ActionClicked (16) with the block as its
// source. When nobody consumes it, the block raises ActionActivated (0x10004), as a double click,
// Return or Space on the block do. The block's own handling of ActionActivated opens the dialog set
// with setDialog, if any, and consumes the event (also when a widget inside the block, such as a
// "config..." button, raised it). Subclasses override processActionEvent and pass
// what they do not handle to VGXBlockPanel::processActionEvent.
#include <memory>

#include "host/gui/VGXPanel.h"

namespace MvQARN {

class VGXDialogAttributes;
class VGXTitleBorder;

class VGX_EXPORT VGXBlockPanel : public VGXPanel {
    Q_OBJECT
public:
    explicit VGXBlockPanel(QWidget* parent = nullptr, const QString& title = QString());
    ~VGXBlockPanel() override;

    QString title() const;
    // Both take ownership.
    void setTitleBorder(VGXTitleBorder* border);
    void setSelectedTitleBorder(VGXTitleBorder* border);
    VGXTitleBorder* titleBorder() const { return m_normal.get(); }
    VGXTitleBorder* selectedTitleBorder() const { return m_selected.get(); }

    // True while the block or one of its widgets has the focus.
    bool isSelected() const;

    // The dialog ActionActivated opens.
    void setDialog(const VGXDialogAttributes& attributes);
    const VGXDialogAttributes* dialog() const { return m_dialog.get(); }

    // What a click on the block does: ActionClicked, then ActionActivated if nobody consumed it.
    void click();
    // Follows the focus: switches between the two borders. The framework calls it when the focus
    // moves.
    void updateSelection();

protected:
    void processActionEvent(MvGuiFramework::CViewerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void useBorder();

    std::unique_ptr<VGXTitleBorder> m_normal;
    std::unique_ptr<VGXTitleBorder> m_selected;
    std::unique_ptr<VGXDialogAttributes> m_dialog;
    bool m_pressed = false;
    bool m_showingSelected = false;
};

} // namespace MvQARN
