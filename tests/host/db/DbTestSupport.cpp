#include "DbTestSupport.h"

namespace dbtest {

std::vector<std::string>& trace() {
    static std::vector<std::string> t;
    return t;
}

std::string str(const CDbAllType& v) {
    return v.isNull() ? std::string("null") : v.toText().toStdString();
}

std::string storedText(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    return CDbEngine::instance().readStored(name, t, v) != 0 ? "?" : str(v);
}

int put(const char* name, const SDbInstTupel& t, const CDbAllType& v, CDbAnswerBuffer* a, int msgType) {
    return CDbEngine::instance().write(name, t, v, a, msgType);
}
int putNum(const char* name, double v, const SDbInstTupel& t, CDbAnswerBuffer* a) {
    return put(name, t, CDbAllType::fromDouble(v), a);
}
int putSel(const char* name, int v, const SDbInstTupel& t, CDbAnswerBuffer* a) {
    return put(name, t, CDbAllType::fromInt(v), a);
}
int putStr(const char* name, const QString& v, const SDbInstTupel& t, CDbAnswerBuffer* a) {
    return put(name, t, CDbAllType::fromString(v), a);
}

namespace {
CDbAllType readOk(const char* name, const SDbInstTupel& t) {
    CDbAllType v;
    EXPECT_EQ(CDbEngine::instance().read(name, t, v), 0) << name;
    return v;
}
} // namespace

double num(const char* name, const SDbInstTupel& t) {
    double d = -12345;
    EXPECT_TRUE(readOk(name, t).toDouble(d)) << name;
    return d;
}
int sel(const char* name, const SDbInstTupel& t) {
    int i = -12345;
    EXPECT_TRUE(readOk(name, t).toInt(i)) << name;
    return i;
}
QString text(const char* name, const SDbInstTupel& t) {
    return readOk(name, t).toText();
}

QList<int> errorCodes(const CDbAnswerBuffer& a) {
    QList<int> out;
    for (const auto& e : a.getErrors())
        out << e.code;
    return out;
}

} // namespace dbtest
