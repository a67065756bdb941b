#pragma once
#include "host/util/VGXModuleDllInterface.h"

namespace MvQARN {

struct SMsgParmInstTupel;
struct SDbInitTbl;
struct SDevDbInfo;
struct SMdlDbInfo;
class CScpiModule;
class CDbAnswerBuffer;
class CDbAllType;
class CDbCnct;
class CUtilXferData;

class VGX_EXPORT VGXPlugInDllModuleInterface : public VGXModuleDllInterface {
public:
    VGXPlugInDllModuleInterface() = default;
    VGXPlugInDllModuleInterface(const VGXPlugInDllModuleInterface&) = default;
    VGXPlugInDllModuleInterface& operator=(const VGXPlugInDllModuleInterface&) = default;
    ~VGXPlugInDllModuleInterface() override = default;
    virtual bool checkParmInst(const SMsgParmInstTupel& inst) = 0;
    virtual void expandDb(SDbInitTbl* table) = 0;
    virtual int getDataType(const char* name) const = 0;
    virtual const SDevDbInfo* getDevDbInfo() const = 0;
    virtual const SMdlDbInfo* getMdlDbInfo() const = 0;
    virtual const char* getModuleFunction() = 0;
    virtual CScpiModule* getScpiModule() = 0;
    virtual bool hasDatabase() const = 0;
    virtual void initusGui() = 0;
    virtual int notifierListData(CDbAnswerBuffer& answer, CDbMsg& msg, bool flag, CDbAllType** a,
                                 CDbAllType** b) = 0;
    virtual int notifierHook(int a, int b, void* c, void* d) = 0;
    virtual int xferCommand(int code, CUtilXferData& data) = 0;
    virtual int xferCommandBase(int code, CUtilXferData& data) = 0;
    virtual int prepareSaveRecall(CDbCnct& cnct, bool save) = 0;
};

} // namespace MvQARN
