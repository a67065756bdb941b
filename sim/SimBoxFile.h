#pragma once
// The simulation file (--sim FILE): a JSON description of the boxes that replace the default two.
//
//   { "boxes": [ { "serial": 100123, "partNumber": "7730.1192K04",
//                  "breakoutBoard": { "type": "Breakout Board for CPRI", "partNumber": 77308421,
//                                     "revision": "1.3", "serial": 200123, "fpgaVersion": "01.05" },
//                  "instruments": [ { "name": "...", "serialNumber": "...", "port": "..." }, null ],
//                  "versions": { "firmware": "...", "fpga": "...", "boardPartNumber": "...",
//                                "boardSerialNumber": "...", "boardRevision": "...", "cpld": "...",
//                                "ppc": "...", "digIoFpga": "...", "controller": "..." },
//                  "connected": true, "eepromSerial": 100123, "extRefFrequency": 10000000,
//                  "lvdsErrorRate": 0, "triggerRunning": false } ] }
//
// Only "serial" and "partNumber" are required. Unknown fields are errors, so a misspelt field is
// not silently ignored. Errors name the file and the field: "sim file /x.json: boxes[1].serial:
// expected a positive integer".
#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

#include "sim/SimBox.h"

namespace vgxsim {

class SimBoxFile {
public:
    // connected receives the serials of the boxes marked connected, in file order.
    static bool load(const QString& path, std::vector<SimBox>& boxes, QList<int>& connected, QString* error);
    // source names the text in error messages (the file path).
    static bool parse(const QByteArray& json, const QString& source, std::vector<SimBox>& boxes,
                      QList<int>& connected, QString* error);
};

} // namespace vgxsim
