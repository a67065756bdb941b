#pragma once
// The ARB waveform table as one focus panel: a host table over a CKobraTblDscrArb. It tells the
// descriptor how wide the file column is, so long paths are shortened at their start and the file
// name itself stays visible.
#include "host/gui/VGXFocusPanel.h"

namespace MvQARN {

class CKobraTblDscrArb;
class VGXTable;

class CKobraTblArb : public VGXFocusPanel {
public:
    // Takes ownership of the descriptor.
    CKobraTblArb(QWidget* parent, CKobraTblDscrArb* descriptor);
    ~CKobraTblArb() override;

    VGXTable* table() const { return m_table; }
    CKobraTblDscrArb* descriptor() const { return m_descriptor; }

private:
    void fileColumnResized();

    CKobraTblDscrArb* m_descriptor;
    VGXTable* m_table;
};

} // namespace MvQARN
