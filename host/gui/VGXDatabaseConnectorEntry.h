#pragma once
// One connection of a data listener (or a bound control) to a database value, made by
// VGXDataObject::connectDatabase. Reads go through conversion-out; writes are requests.
#include <QString>
#include <QVector>
#include <memory>

#include "host/db/DbDefs.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDataListener;
class VGXDataContainer;

class VGX_EXPORT VGXDatabaseConnectorEntry {
public:
    VGXDatabaseConnectorEntry(VGXDataListener* listener, const VGXUserDbAttributes& binding);
    ~VGXDatabaseConnectorEntry();
    VGXDatabaseConnectorEntry(const VGXDatabaseConnectorEntry&) = delete;
    VGXDatabaseConnectorEntry& operator=(const VGXDatabaseConnectorEntry&) = delete;

    VGXDataListener* getListener() const { return m_listener; }
    const VGXUserDbAttributes& getBinding() const { return m_binding; }
    const QByteArray& getName() const { return m_binding.name(); }
    // The instance the binding resolved to when it was connected.
    const SDbInstTupel& getTupel() const { return m_tupel; }

    // Writes the value (takes ownership) as a request; returns 0 or the error, also kept for
    // getLastError. Errors reach the engine's error sink as well.
    int setData(VGXDataContainer* takeOwnership, int msgType = DbMsgSet, unsigned flags = 0);
    int getLastError() const { return m_lastError; }
    const QString& getLastErrorText() const { return m_lastErrorText; }
    // The first error the last write reported, also when the write itself was taken (a recall
    // whose file the database refused); 0 and empty when it reported none.
    int getReportedError() const { return m_reportedError; }
    const QString& getReportedErrorText() const { return m_reportedErrorText; }

    // The current value; owned by the entry and valid until the next getData. Null when unreadable.
    VGXDataContainer* getData();
    bool hasData();
    int getIntegerData();
    double getDoubleData();
    QString getStringData();

    // Current limits and choices (dynamic ones of the check function included).
    bool getLimits(double& min, double& max) const;
    QVector<int> getChoices() const;

private:
    VGXDataListener* m_listener;
    VGXUserDbAttributes m_binding;
    SDbInstTupel m_tupel;
    std::unique_ptr<VGXDataContainer> m_data;
    int m_lastError = 0;
    QString m_lastErrorText;
    int m_reportedError = 0;
    QString m_reportedErrorText;
};

} // namespace MvQARN
