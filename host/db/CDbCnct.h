#pragma once
// The per-call context the database hands to every plug-in function: where the call is (parameter
// name and instance), what is written, the request's message list, the answer buffer, and the
// services the function may use (reads, queued writes, preset, save/recall, user files, the
// organisation-layer command interface and the list administration).
#include <QString>

#include "host/db/CDbAllType.h"
#include "host/db/CDbAnswerBuffer.h"
#include "host/db/CDbMsg.h"
#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbDataBaseIfc;
class CDbDataTypeString;
class COlCommandIfc;
class CListAdmMainExtend;
class CDbRequest; // host side of the context

class VGX_EXPORT CDbCnct {
public:
    // Preset callback used by a recall: resets the group before the file's values are applied.
    typedef void (*PresetCallback)(CDbCnct& cnct);

    explicit CDbCnct(CDbRequest* request);
    virtual ~CDbCnct();
    CDbCnct(const CDbCnct&) = delete;
    CDbCnct& operator=(const CDbCnct&) = delete;

    CDbDataBaseIfc* getDataBaseIfc() const;
    // The parameter being handled and its instance.
    const char* getName() const;
    const SDbInstTupel& getTupel() const;
    int t0() const { return getTupel().t0; }
    int t1() const { return getTupel().t1; }
    int t2() const { return getTupel().t2; }
    int t3() const { return getTupel().t3; }

    // The incoming value (checks, conversion-in) or the value being saved or recalled.
    const CDbAllType& getValue() const;
    void setValue(const CDbAllType& v);

    // The request's messages: conversion-in functions edit the head and insert behind it.
    CDbMsgList& getMsgList();
    // The message being processed (for auxiliary data and its type and flags).
    CDbMsg* getCurrentMsg() const;
    int getMsgType() const;
    unsigned getMsgFlags() const;
    // Bit 0: the stored value changed with this request.
    unsigned getChangeFlags() const;

    // Result slot of check functions: a two-element number list with dynamic minimum and maximum.
    void setResult(CDbDataType* takeOwnership);
    const CDbAllType& getResult() const;
    // Error text a refusing function leaves for the user.
    QString& errorText();

    CDbAnswerBuffer& getAnswerBuffer();

    // Organisation-layer command interface; null when no framework is attached.
    COlCommandIfc* getOlCommand() const;
    CListAdmMainExtend* getListAdm() const;

    // Queues a write; the host owns the message. updData runs the queue (flag true) as requests of
    // their own, each refused or accepted on its own, and returns the first error.
    void giveMsg(CDbMsg* takeOwnership);
    int updData(bool run);
    int updDataFast(bool run);

    // Group preset: every parameter whose group word has the given group in its low 16 bits and
    // whose high bits meet the mask, at the instances matching (t0, t3, t2, t1), -1 meaning any.
    int presetGrp(bool run, int group, unsigned mask, int mode, bool fast, const char* name,
                  const SDbInstTupel& tupel, int t0, int t3, int t2, int t1);
    // Saves one instance's group values to a settings file; the answer is the file path.
    CDbDataTypeString* srSavDb(const QString& path, int group, unsigned mask, int mode, const char* section,
                               const char* key, const char* const* names, const char* module, bool fast,
                               int reserved);
    // Recalls the file named by the current message's auxiliary data of kind 9.
    int srRcl(int kind, PresetCallback preset);
    // Full path of a user file in the user's settings folder; refuses names that escape it.
    QString appendUserPathFile(const QString& name, bool settingsFolder);

    CDbRequest* request() const { return m_request; }

private:
    CDbRequest* m_request;
};

} // namespace MvQARN
