#pragma once
// Settings of one transient recorder (path, side, channel): state and data source, display,
// acquisition and trigger groups, and the recorder's status. Labels line up in two columns over
// all groups. "Start Recording" shows only in single trigger mode and "Trigger Type" only for a
// trigger source other than the software trigger.
#include <array>

#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class VGXButtonParameter;
class VGXComboParameter;
class VGXDatabaseConnectorEntry;

class VGX_EXPORT CKobraTranRecSettings : public VGXNavigationPanel, public VGXDataListener {
    Q_OBJECT
public:
    // Roles of the parameter identifiers, in the order the constructor takes them.
    enum EParam {
        State,
        SmartState,
        DataSource,
        DataLength,
        DecFactor,
        DisplayType,
        TrigMode,
        TrigExec,
        TrigSource,
        TrigType,
        TrigPosition,
        TrigDelay,
        Status,
        ParamCount
    };
    using ParamNames = std::array<const char*, ParamCount>;

    // Binds to the current binding indices (VGXUserDbAttributes::setCurrent...), which the owning
    // dialog sets first.
    CKobraTranRecSettings(QWidget* parent, const ParamNames& names);
    ~CKobraTranRecSettings() override;

    // The identifiers the recorder dialog builds its panel with.
    static ParamNames recorderParameters();
    // Registers the descriptors of the panel's parameters (choice texts, units).
    static void registerDescriptors(const ParamNames& names);

    VGXButtonParameter* startRecording() const { return m_start; }
    VGXComboParameter* triggerType() const { return m_type; }

    void processDataEvent(VGXDataEvent* event) override;

private:
    VGXUserDbAttributes bind(EParam p) const;
    void applyMode(int mode);
    void applySource(int source);

    ParamNames m_names;
    int m_instance, m_channel, m_direction, m_station;
    VGXButtonParameter* m_start = nullptr;
    VGXComboParameter* m_type = nullptr;
    VGXDatabaseConnectorEntry* m_mode = nullptr;
    VGXDatabaseConnectorEntry* m_source = nullptr;
    VGXAdjustTwoColumns m_columns;
};

} // namespace MvQARN
