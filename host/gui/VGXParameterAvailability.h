#pragma once
// Whether a parameter is offered to the user now: available, read-only or hidden. Bound controls
// follow it. A parameter is
//   hidden     when the database does not define it at the control's instance, or when the host
//              or a module marked it hidden;
//   read-only  when it was marked read-only, or when it admits nothing but its current value (a
//              selection whose only choice left is the current one, a number whose limits have
//              closed on it);
//   available  otherwise.
// Marks are kept by parameter name, for every instance or for one; changing a mark updates the
// open controls at once. Dependent limits and choices are looked at again whenever the control's
// value changes, the control is shown, or a combo opens its list.
#include <QByteArray>
#include <QObject>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;

class VGX_EXPORT VGXParameterAvailability : public QObject {
    Q_OBJECT
public:
    enum EState {
        Available = 0,
        ReadOnly = 1,
        Hidden = 2,
    };

    // The object that announces changes of marks.
    static VGXParameterAvailability* instance();

    // Marks the parameter at every instance; Available removes the mark.
    static void mark(const char* name, int state);
    // Marks one instance; it wins over a mark for every instance. Available removes the mark.
    static void mark(const char* name, const SDbInstTupel& tupel, int state);
    // The mark that applies to the instance; Available when there is none.
    static int markOf(const QByteArray& name, const SDbInstTupel& tupel);
    // Removes every mark.
    static void clearMarks();

    // The state a control bound through the entry follows (marks and the database together).
    static int of(VGXDatabaseConnectorEntry* entry);

signals:
    void marksChanged(const QByteArray& name);

private:
    VGXParameterAvailability() = default;
};

} // namespace MvQARN
