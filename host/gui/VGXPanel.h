#pragma once
// A container viewer: a layout (VGXFlowLayout, VGXGridLayout or any Qt layout), indents around
// its content and an optional border (VGXTitleBorder, VGXLineBorder).
#include <QString>
#include <memory>

#include "host/gui/CBoxIndents.h"
#include "host/gui/CViewer.h"
#include "host/gui/VGXConstraints.h"

class QLayout;

namespace MvQARN {

class VGXBorder;
class VGXLayoutIfc;

class VGX_EXPORT VGXPanel : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    explicit VGXPanel(QWidget* parent = nullptr);
    ~VGXPanel() override;

    // Takes ownership. A previous layout is deleted; the widgets it placed stay children of the
    // panel but are no longer laid out. Without a layout, add makes a top-to-bottom flow layout.
    void setLayout(QLayout* layout);
    QLayout* panelLayout() const;
    // The framework side of the layout; null for a plain Qt layout.
    VGXLayoutIfc* vgxLayout() const;

    void setIndents(const MvGuiFramework::CBoxIndents& indents);
    const MvGuiFramework::CBoxIndents& indents() const { return m_indents; }

    // The panel becomes the widget's parent. With a plain Qt layout the constraints are not used.
    void add(QWidget* widget, const VGXConstraints& constraints = VGXConstraints());
    void add(QWidget* widget, int stretch);
    // A gap in the layout; pixels < 0 means the host's standard gap between groups.
    void addSpace(int pixels = -1);
    // Room the panel has to spare goes here, not between the widgets (a box or flow layout only).
    void addStretch();

    // Takes ownership; null removes the border. A titled border also names the panel for
    // accessibility tools.
    void setBorder(VGXBorder* border);
    VGXBorder* border() const { return m_border.get(); }
    // Shorthand for setBorder(new VGXTitleBorder(title)).
    void setTitleBorder(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Room for the border and the indents around the layout.
    void updateMargins();

private:
    QLayout* ensureLayout();

    MvGuiFramework::CBoxIndents m_indents;
    std::unique_ptr<VGXBorder> m_border;
};

} // namespace MvQARN
