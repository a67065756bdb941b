#pragma once
// Definition records built the way a module builds them, and function objects bound with member
// pointers the way a plug-in binds them, for the database engine tests.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/db/CDbAllType.h"
#include "host/db/CDbChkFunc.h"
#include "host/db/CDbCnct.h"
#include "host/db/CDbCnvInFunc.h"
#include "host/db/CDbCnvOutFunc.h"
#include "host/db/CDbDataBaseIfc.h"
#include "host/db/CDbPresFunc.h"
#include "host/db/CDbSavRclFunc.h"
#include "host/db/CDbUpdFunc.h"
#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"

namespace dbtest {

using namespace MvQARN;

// Calls of test functions in the order they happened, e.g. "chk:P=5 stored=1".
std::vector<std::string>& trace();
std::string str(const CDbAllType& v);
std::string storedText(const char* name, const SDbInstTupel& t);

struct Inst {
    int t0 = 1, t1 = 1, t2 = 1, t3 = 1; // counts per axis
};

// Typed record arrays; references stay valid (capacity is reserved and never exceeded).
class Defs {
public:
    Defs();
    SDbDefNumber& number(const char* name, double min, double max, double def, Inst n = {});
    SDbDefSelect& select(const char* name, int min, int max, int def, Inst n = {});
    SDbDefString& string(const char* name, const char* def, int maxLen = 256, Inst n = {});
    SDbDefEvent& event(const char* name, Inst n = {});
    SDbDefNBit& bits(const char* name, int minLen, int maxLen, int defLen, Inst n = {});
    SDbDefNString& list(const char* name, Inst n = {});
    SDbDefNInt& ints(const char* name, Inst n = {});
    int registerAll(int module = 4, const char* moduleName = nullptr);

private:
    void common(SDbDefCommon& c, const char* name, int type, Inst n);
    std::vector<SDbDefNumber> m_num;
    std::vector<SDbDefSelect> m_sel;
    std::vector<SDbDefString> m_str;
    std::vector<SDbDefEvent> m_evt;
    std::vector<SDbDefNBit> m_bits;
    std::vector<SDbDefNString> m_list;
    std::vector<SDbDefNInt> m_ints;
    int m_counts[7] = {};
    SDbDefArray m_arrays[7] = {};
    SDbDescriptor m_desc = {};
};

// Writes and reads for tests.
int put(const char* name, const SDbInstTupel& t, const CDbAllType& v, CDbAnswerBuffer* a = nullptr,
        int msgType = DbMsgSet);
int putNum(const char* name, double v, const SDbInstTupel& t = {}, CDbAnswerBuffer* a = nullptr);
int putSel(const char* name, int v, const SDbInstTupel& t = {}, CDbAnswerBuffer* a = nullptr);
int putStr(const char* name, const QString& v, const SDbInstTupel& t = {}, CDbAnswerBuffer* a = nullptr);
double num(const char* name, const SDbInstTupel& t = {});
int sel(const char* name, const SDbInstTupel& t = {});
QString text(const char* name, const SDbInstTupel& t = {});
QList<int> errorCodes(const CDbAnswerBuffer& a);

// Engine reset plus trace reset for every test.
void resetAll();

} // namespace dbtest
