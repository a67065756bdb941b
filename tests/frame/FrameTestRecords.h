#pragma once
// The few box parameters the module requests work on, defined for the tests alone so that the
// requests are seen without the catalogue's own functions. Update functions of some records only
// record what they were called with.
#include <QByteArray>
#include <QList>
#include <QStringList>

#include "host/db/CDbAllType.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefs.h"

namespace frametest {

// An update function that records each call.
class RecordingUpdate : public MvQARN::CDbUpdFunc {
public:
    struct Call {
        QByteArray name;
        MvQARN::SDbInstTupel tupel;
        MvQARN::CDbAllType value;
        unsigned flags = 0;
        int listLen = -1;
    };
    RecordingUpdate();
    int onUpdate(MvQARN::CDbCnct& cnct, const MvQARN::CDbAllType& previous);
    QList<Call> calls;
};

// Module number the test records are registered under.
inline constexpr int kTestModule = 2028;

// Registers the test records with the host database (replacing whatever it held before).
void registerFrameTestRecords();
// Forgets every definition and value of the host database.
void resetDatabase();

RecordingUpdate& serialsUpdate();     // IdPDbKobraSerials
RecordingUpdate& configUpdate();      // IdPDbKobraConfigSelected
RecordingUpdate& deviceStateUpdate(); // IdPDbLynxDeviceState
void clearRecordedUpdates();

// Value access through the host database (writes run update functions as any request does).
int writeInt(const char* name, int t0, int t1, int value, int t3 = 0);
int writeList(const char* name, const QStringList& value);
int readInt(const char* name, int t0, int t1, int t3 = 0);
QString readText(const char* name, int t0, int t1, int t3 = 0);
QStringList readList(const char* name);

} // namespace frametest
