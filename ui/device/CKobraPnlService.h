#pragma once
// The service functions of the configured box, shown at service protection level only: the
// diagnostics ("General"), the CPRI breakout board test with its EEPROM and LED test ("CPRI") and
// the DigRF test ("DigRF"). Each test log shows the last run, highlighted, and "Save" writes it to a
// *.txt file the user names.
#include "host/gui/VGXNavigationPanel.h"

namespace MvQARN {

class CKobraPnlDiagPoints;
class VGXDialogButton;
class VGXTabViewer;
class VGXTextEdit;
class VGXTextEditPanel;

class VGX_EXPORT CKobraPnlService : public VGXNavigationPanel {
    Q_OBJECT
public:
    // User event codes of the two "Save" buttons.
    enum EEvent {
        EventSaveCpriLog = 1,
        EventSaveDigRfLog = 2,
    };

    explicit CKobraPnlService(QWidget* parent);
    ~CKobraPnlService() override;

    VGXTabViewer* tabs() const { return m_tabs; }
    CKobraPnlDiagPoints* diagnostics() const { return m_diagnostics; }
    VGXTextEdit* cpriLog() const;
    VGXTextEdit* digRfLog() const;
    VGXDialogButton* cpriSave() const { return m_cpriSave; }
    VGXDialogButton* digRfSave() const { return m_digRfSave; }

protected:
    void processUserEvent(MvGuiFramework::CViewerEvent* event) override;

private:
    QWidget* buildCpriPage();
    QWidget* buildDigRfPage();
    VGXTextEditPanel* logArea(QWidget* parent, const char* logParameter);
    void saveLog(const QString& title, const QString& shortTitle, const char* fileParameter);

    VGXTabViewer* m_tabs = nullptr;
    CKobraPnlDiagPoints* m_diagnostics = nullptr;
    VGXTextEditPanel* m_cpriLog = nullptr;
    VGXTextEditPanel* m_digRfLog = nullptr;
    VGXDialogButton* m_cpriSave = nullptr;
    VGXDialogButton* m_digRfSave = nullptr;
};

} // namespace MvQARN
