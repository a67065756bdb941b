#pragma once
// Preset object of IdPDbKobraTranRecDataSource: each recorder channel starts on its own source.
#include "host/db/CDbPresFunc.h"

namespace MvQARN {

class CKobraPresetFunc : public CDbPresFunc {
public:
    typedef CDbDataType* (CKobraPresetFunc::*FnCtx)(CDbCnct&);
    typedef CDbDataType* (CKobraPresetFunc::*FnName)(const char* name, const SDbInstTupel& tupel);
    CKobraPresetFunc(FnCtx forContext, FnName forName);
    ~CKobraPresetFunc() override;

    // 1 ("DIG IQ OUT 2") for recorder channel t3 = 1, else 0 ("DIG IQ IN 1").
    CDbDataType* presTranRecDataSource(CDbCnct& cnct);
    CDbDataType* presTranRecDataSourceAt(const char* name, const SDbInstTupel& tupel);
};

} // namespace MvQARN
