#pragma once
// The instrument joined to a box on one instrument link of an interface: its name and, on the
// "General Information" tab, how it is reached and what it reported.
#include "ui/KobraDialog.h"

namespace MvQARN {

class CKobraPnlInstrumentInfo;
class VGXLabelParameter;
class VGXTabViewer;

class VGX_EXPORT CKobraDlgInstrument : public KobraDialog {
    Q_OBJECT
public:
    // Interface (path, side) and instrument link; the box number names the box in the titles.
    CKobraDlgInstrument(int path, int side, int link, int boxNumber);
    ~CKobraDlgInstrument() override;

    VGXLabelParameter* instrumentName() const { return m_name; }
    CKobraPnlInstrumentInfo* infoPanel() const { return m_info; }
    VGXTabViewer* tabs() const { return m_tabs; }

    // The link of an interface an instrument is joined on: the first with one, else link 0.
    static int connectedLink(int path, int side);

private:
    VGXLabelParameter* m_name = nullptr;
    VGXTabViewer* m_tabs = nullptr;
    CKobraPnlInstrumentInfo* m_info = nullptr;
};

} // namespace MvQARN
