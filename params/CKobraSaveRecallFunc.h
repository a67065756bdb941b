#pragma once
// Save/recall object of IdPDbKobraSelected: a settings file names the selected box by its serial
// number, not by its position in the list of connected boxes. A recalled box is remembered per
// interface and selected again once it is connected.
#include "host/db/CDbSavRclFunc.h"

namespace MvQARN {

class CKobraSaveRecallFunc : public CDbSavRclFunc {
public:
    typedef int (CKobraSaveRecallFunc::*Fn)(CDbCnct&);
    CKobraSaveRecallFunc(Fn save, Fn recall);
    ~CKobraSaveRecallFunc() override;

    // Answers the serial number of the selected box (0 for none) instead of the list index.
    int savKobraSelected(CDbCnct& cnct);
    // Remembers the recalled serial number for the interface and leaves it without a box.
    int rclKobraSelected(CDbCnct& cnct);
};

} // namespace MvQARN

namespace Kobra {

// Serial number a recall remembered for the path-side instance (t0, t1); 0 when none.
int rememberedSerial(int t0, int t1);

} // namespace Kobra
