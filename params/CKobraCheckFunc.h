#pragma once
// Check functions of the plug-in's parameters: what may be written (dynamic limits, available
// choices, refusals). One object per function, bound at load time (KobraBindingsCheckConv.cpp).
#include "host/db/CDbChkFunc.h"

namespace MvQARN {

class CKobraCheckFunc : public CDbChkFunc {
public:
    typedef int (CKobraCheckFunc::*Fn)(CDbCnct&);
    explicit CKobraCheckFunc(Fn fn);
    ~CKobraCheckFunc() override;

    // Limits.
    int chkClocRate(CDbCnct& cnct);
    int chkClocInSkew(CDbCnct& cnct);
    int chkDataStrobPos(CDbCnct& cnct);
    int chkTestSinusCwFreq(CDbCnct& cnct);
    int chkTranRecTrigPosition(CDbCnct& cnct);
    // Available choices.
    int chkDataType(CDbCnct& cnct);
    int chkClocSour(CDbCnct& cnct);
    int chkTranRecDataSource(CDbCnct& cnct);
    int chkKobraSelected(CDbCnct& cnct);
    int chkSigType(CDbCnct& cnct);
    // Refusals.
    int chkSsiCmData(CDbCnct& cnct);
    int chkLynxState(CDbCnct& cnct);
    int chkKobraState(CDbCnct& cnct);
    int chkService(CDbCnct& cnct);
};

} // namespace MvQARN
