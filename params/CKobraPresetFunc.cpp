#include "params/CKobraPresetFunc.h"

#include "host/db/CDbCnct.h"
#include "host/db/CDbDataTypeSelect.h"
#include "params/KobraFunctionSlots.h"

namespace MvQARN {

CKobraPresetFunc::CKobraPresetFunc(FnCtx forContext, FnName forName)
    : CDbPresFunc(static_cast<CDbPresFunc::MemberCtx>(forContext),
                  static_cast<CDbPresFunc::MemberName>(forName)) {}

CKobraPresetFunc::~CKobraPresetFunc() = default;

CDbDataType* CKobraPresetFunc::presTranRecDataSource(CDbCnct& cnct) {
    return presTranRecDataSourceAt(cnct.getName(), cnct.getTupel());
}

CDbDataType* CKobraPresetFunc::presTranRecDataSourceAt(const char*, const SDbInstTupel& tupel) {
    return new CDbDataTypeSelect(tupel.t3 == 1 ? 1 : 0);
}

namespace {

CKobraPresetFunc s_presTranRecDataSource(&CKobraPresetFunc::presTranRecDataSource,
                                         &CKobraPresetFunc::presTranRecDataSourceAt);
const Kobra::CFunctionBinding s_bindTranRecDataSource(&s_presTranRecDataSource,
                                                      {"IdPDbKobraTranRecDataSource"});

} // namespace

} // namespace MvQARN
