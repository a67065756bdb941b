#pragma once
// A KOBRA box in the host's block diagram: a "config..." button that opens the block's dialog, the
// box selector and a check box with a label, both bound to parameters the host names. A click on
// the block itself goes to the box selector.
#include "host/gui/VGXBlockPanel.h"

class QPushButton;

namespace MvQARN {

class KobrasCombo;
class VGXCheckParameter;
class VGXLabel;

class VGX_EXPORT KobraBlock : public VGXBlockPanel {
    Q_OBJECT
public:
    // The four indices bind the block's controls (instance t0, channel t3, direction t1, station t2).
    KobraBlock(const QString& title, QWidget* parent, const char* checkParameter, const char* labelParameter,
               int instance, int channel, int direction, int station);
    ~KobraBlock() override;

    KobrasCombo* boxSelector() const { return m_combo; }
    QPushButton* configButton() const { return m_config; }
    VGXCheckParameter* checkBox() const { return m_check; }
    VGXLabel* label() const { return m_label; }

    // The host's way to make a block without linking the plug-in (VGXBlockDiagram); the label shows
    // the texts of the label parameter's choices.
    static VGXBlockPanel* create(const QString& title, QWidget* parent, const char* checkParameter,
                                 const char* labelParameter, int instance, int channel, int direction,
                                 int station);

protected:
    void processActionEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    KobrasCombo* m_combo = nullptr;
    QPushButton* m_config = nullptr;
    VGXCheckParameter* m_check = nullptr;
    VGXLabel* m_label = nullptr;
};

} // namespace MvQARN
