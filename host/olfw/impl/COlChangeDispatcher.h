#pragma once
// The framework's side of a parameter change: after every database request it asks each module's
// organisation layer (the extension a module publishes through its database description) for the
// action mask of every changed parameter, combines the masks per interface (path t0, side t1) and
// lets the extension carry them out once per interface on that interface's box. Only an interface
// whose box state IdPDbKobraState is ON with a box selected is programmed; switching the state ON
// (or selecting another box while it is ON) programs the interface fully (mask -1).
//
// A changed value concerns every interface that addresses it: an interface parameter its own
// interface, a value stored once for several interfaces all of them, a host-wide value every
// interface. Corrections the extension hands back go into the database after its call returns, as
// requests of their own; their changes come back through the next round of the database's change
// notification, which is bounded, so a correction cannot make the programming loop forever. GUI
// thread only.
#include <QList>
#include <QString>
#include <QVector>
#include <functional>

#include "host/db/CDbChangeObserver.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class CDbDataBaseIfc;
class CDbInstanceMap;
class CDbMsgBuffer;
class COlLoadableExtension;
class KobraDrvDeviceIfc;

class VGX_EXPORT COlChangeDispatcher : private CDbChangeObserver {
public:
    // Device of a connected box by serial number, or null.
    using DeviceLookup = std::function<KobraDrvDeviceIfc*(int serial)>;
    // The organisation layers of the loaded modules, in module order.
    using ExtensionSource = std::function<QList<COlLoadableExtension*>()>;
    using TraceWriter = std::function<void(const QString& line)>;

    // What the dispatcher works with; it owns none of it.
    struct SServices {
        CDbChangeSource* changes = nullptr;        // where it follows the requests
        const CDbInstanceMap* instances = nullptr; // which interfaces a changed value concerns
        CDbDataBaseIfc* database = nullptr;        // box selection and state; handed to extensions
        CDbMsgBuffer* corrections = nullptr;       // writes each message as a request of its own
        ExtensionSource extensions;
        DeviceLookup devices;
        TraceWriter trace; // may be empty
    };

    explicit COlChangeDispatcher(SServices services);
    ~COlChangeDispatcher() override;
    COlChangeDispatcher(const COlChangeDispatcher&) = delete;
    COlChangeDispatcher& operator=(const COlChangeDispatcher&) = delete;

    // Starts and stops following the database's requests.
    void attach();
    void detach();
    bool isAttached() const { return m_attached; }

    // Serial number of the box interface (path, side) has selected; 0 for none.
    int selectedSerial(int path, int side) const;
    // Device of the interface's selected box; null without a selected, connected box.
    KobraDrvDeviceIfc* interfaceDevice(int path, int side) const;
    // True while the interface's box state is ON and its selected box is there to be programmed.
    bool isActive(int path, int side) const;

    // Operations of the first extension for one interface, with the device of its selected box.
    // The interface's state is not looked at: the caller decides. Corrections are written to the
    // database when the extension returns. Without an extension: 1.
    int setKobra(int path, int side, int actions);
    int loadFpga(int path, int side);
    int setArb(int path, int side);
    int getSampleRate(int path, int side, double& rate);

    // Handles the changes of one request (the database calls it while attached).
    void changed(const QVector<SDbChange>& changes);

private:
    void dbChanged(const QVector<SDbChange>& changes) override { changed(changes); }
    void dispatch(const QVector<SDbChange>& changes);
    // Whether interface (path, side) sees the changed stored value.
    bool concerns(const SDbChange& change, int path, int side) const;
    // Runs one extension call with a message collector and writes what it collected afterwards.
    int withMessages(const std::function<int(CDbMsgBuffer*)>& call);
    // Runs an operation of the first extension on interface (path, side) with the device of its
    // selected box, the database and a message collector (see withMessages). Without an extension: 1.
    using Operation =
        std::function<int(COlLoadableExtension*, KobraDrvDeviceIfc*, CDbDataBaseIfc*, CDbMsgBuffer*)>;
    int onFirstExtension(int path, int side, const Operation& op);
    QList<COlLoadableExtension*> extensions() const;

    SServices m_services;
    bool m_attached = false;
    bool m_busy = false;
    QVector<SDbChange> m_pending;
};

} // namespace MvQARN
