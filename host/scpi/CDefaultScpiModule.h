#pragma once
// The host's default SCPI module: a module hands it its table counter and list, the slot of its
// root table and the builder that fills them; initBase builds and registers, exitBase undoes it.
#include "host/scpi/CScpiModule.h"

namespace MvQARN {

// Makes every table of the module with MakeParseTable, root first, and appends each to the list,
// counting in *tableCount.
typedef void (*FScpiTableBuilder)(int* tableCount, SScpiParseTable** tableList);

class VGX_EXPORT CDefaultScpiModule : public CScpiModule {
public:
    CDefaultScpiModule(int moduleNumber, int* tableCount, SScpiParseTable** tableList,
                       SScpiParseTable** rootSlot, FScpiTableBuilder builder);
    ~CDefaultScpiModule() override;

    int getModuleNumber() const override { return m_moduleNumber; }
    SScpiParseTable* getRootTable() const override { return m_rootSlot ? *m_rootSlot : nullptr; }
    int initBase() override;
    void exitBase() override;
    bool isRegistered() const { return m_registered; }

private:
    int m_moduleNumber;
    int* m_tableCount;
    SScpiParseTable** m_tableList;
    SScpiParseTable** m_rootSlot;
    FScpiTableBuilder m_builder;
    bool m_registered = false;
};

} // namespace MvQARN
