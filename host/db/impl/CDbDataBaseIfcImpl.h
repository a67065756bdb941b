#pragma once
// Read access for plug-in functions and host code: reads run conversion-out through the engine;
// errors that conversion-out functions report reach the given answer buffer.
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbDataBaseIfc.h"

namespace MvQARN {

class CDbEngine;

class CDbDataBaseIfcImpl : public CDbDataBaseIfc {
public:
    CDbDataBaseIfcImpl(CDbEngine& engine, CDbAnswerBuffer* errors, int moduleNumber)
        : m_engine(engine), m_errors(errors), m_module(moduleNumber) {}

    int getNumber(const char* name, double& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) override;
    int getSelect(const char* name, int& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) override;
    int getBits(const char* name, int& lengthBits, QVector<quint32>& words, int t0 = 0, int t3 = 0,
                int t2 = 0, int t1 = 0) override;
    int getStringList(const char* name, QStringList& out, int& count, int t0 = 0, int t3 = 0, int t2 = 0,
                      int t1 = 0) override;
    int getString(const char* name, QString& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) override;
    int getValue(const char* name, CDbAllType& out, int t0 = 0, int t3 = 0, int t2 = 0, int t1 = 0) override;
    unsigned getModeWord() const override;
    int getModuleNumber() const override;

    void setModuleNumber(int n) { m_module = n; }
    void setErrorBuffer(CDbAnswerBuffer* errors) { m_errors = errors; }

private:
    CDbEngine& m_engine;
    CDbAnswerBuffer* m_errors;
    int m_module; // -1: the engine's default module number
};

} // namespace MvQARN
