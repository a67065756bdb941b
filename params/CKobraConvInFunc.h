#pragma once
// Conversion-in functions of the plug-in's parameters: they rewrite an incoming write (redirect it to
// another parameter, convert its value, expand it into several writes). One object per function,
// bound at load time (KobraBindingsCheckConv.cpp).
#include "host/db/CDbCnvInFunc.h"

namespace MvQARN {

class CKobraConvInFunc : public CDbCnvInFunc {
public:
    typedef int (CKobraConvInFunc::*Fn)(CDbCnct&);
    explicit CKobraConvInFunc(Fn fn, const char* name = nullptr);
    ~CKobraConvInFunc() override;

    int cnviLynxState(CDbCnct& cnct);
    int cnviSelectedSerial(CDbCnct& cnct);
    int cnviTranRecDataLength(CDbCnct& cnct);
    int cnviExtRefFreq(CDbCnct& cnct);
    int cnviSsiCmData(CDbCnct& cnct);
    int cnviSsiSpiDataWrite(CDbCnct& cnct);
    int cnviArbFile(CDbCnct& cnct);
    int cnviFirmUpdError(CDbCnct& cnct);
    int cnviTestIqConnError(CDbCnct& cnct);
};

} // namespace MvQARN
