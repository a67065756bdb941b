#pragma once
// Data block of a module request (xferCommand): arguments in, result out.
#include <QByteArray>

namespace MvQARN {

class CDbCnct;

class CUtilXferData {
public:
    CUtilXferData() = default;
    CUtilXferData(const char* name, CDbCnct* cnct, int arg1 = 0, int arg2 = 0, double real = 0.0)
        : parmName(name), cnct(cnct), intArg1(arg1), intArg2(arg2), realArg(real) {}
    virtual ~CUtilXferData() = default;

    QByteArray parmName;
    CDbCnct* cnct = nullptr;
    int intArg1 = 0;
    int intArg2 = 0;
    double realArg = 0.0;
    int result = 0;
};

} // namespace MvQARN
