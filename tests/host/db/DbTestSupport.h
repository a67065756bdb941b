#pragma once
// Definition records built the way a module builds them, function objects bound with member pointers
// the way a plug-in binds them, and short writes and reads for the database engine tests.
#include <QString>
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
#include "support/TestDbDefinitions.h"

namespace dbtest {

using namespace MvQARN;

// Calls of test functions in the order they happened, e.g. "chk:P=5 stored=1".
std::vector<std::string>& trace();
std::string str(const CDbAllType& v);
std::string storedText(const char* name, const SDbInstTupel& t);

int put(const char* name, const SDbInstTupel& t, const CDbAllType& v, CDbAnswerBuffer* a = nullptr,
        int msgType = DbMsgSet);
int putNum(const char* name, double v, const SDbInstTupel& t = {}, CDbAnswerBuffer* a = nullptr);
int putSel(const char* name, int v, const SDbInstTupel& t = {}, CDbAnswerBuffer* a = nullptr);
int putStr(const char* name, const QString& v, const SDbInstTupel& t = {}, CDbAnswerBuffer* a = nullptr);
double num(const char* name, const SDbInstTupel& t = {});
int sel(const char* name, const SDbInstTupel& t = {});
QString text(const char* name, const SDbInstTupel& t = {});
QList<int> errorCodes(const CDbAnswerBuffer& a);

// Engine and trace reset before and after every test.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override { resetAll(); }
    void TearDown() override { resetAll(); }
    static void resetAll() {
        CDbEngine::instance().reset();
        trace().clear();
    }
    CDbEngine& e = CDbEngine::instance();
    Defs defs;
};

} // namespace dbtest
