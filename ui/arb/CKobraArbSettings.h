#pragma once
// The ARB settings of one interface: the table of the four waveform entries, the buttons that
// reset the ARB settings and reload the wave files, and the total of samples the entries that are
// on take of the box's ARB memory.
#include <QString>

#include "host/gui/VGXNavigationPanel.h"
#include "ui/arb/CKobraTblDscrArb.h"

namespace MvQARN {

class CKobraTblArb;
class VGXButtonParameter;
class VGXLabelParameter;

// Parameters the panel binds; a null name leaves out what it would show.
struct SKobraArbSettingsNames {
    SKobraArbNames table{"IdPDbLynxArbFile", "IdPDbLynxArbSampRate", "IdPDbLynxArbSamples",
                         "IdPDbLynxArbRms",  "IdPDbLynxArbPep",      "IdPDbLynxArbState"};
    const char* samplesTotal = "IdPDbLynxArbSamplesTotal";
    const char* preset = "IdPDbLynxArbPreset";
    const char* reload = "IdPDbLynxArbReload";
};

class CKobraArbSettings : public VGXNavigationPanel {
public:
    // instance: the interface path (t0); direction: its side (t1). name goes into the titles of the
    // file dialog; empty: the port name of the direction.
    CKobraArbSettings(QWidget* parent, int instance, int direction, const QString& name = QString(),
                      const SKobraArbSettingsNames& names = SKobraArbSettingsNames());
    ~CKobraArbSettings() override;

    CKobraTblArb* table() const { return m_table; }
    CKobraTblDscrArb* descriptor() const;
    // Null when its parameter name was not given.
    VGXButtonParameter* resetButton() const { return m_reset; }
    VGXButtonParameter* reloadButton() const { return m_reload; }
    VGXLabelParameter* totalSamples() const { return m_total; }

private:
    CKobraTblArb* m_table = nullptr;
    VGXButtonParameter* m_reset = nullptr;
    VGXButtonParameter* m_reload = nullptr;
    VGXLabelParameter* m_total = nullptr;
};

} // namespace MvQARN
