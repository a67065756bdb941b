#pragma once

#include "host/util/VGXHostContext.h"

namespace testsupport {

// Puts a host of the given generator family in place for the lifetime of the object.
class FamilyContext : public MvQARN::VGXHostContext {
public:
    explicit FamilyContext(int family) : m_family(family), m_previous(install(this)) {}
    ~FamilyContext() override { install(m_previous); }
    int family() const override { return m_family; }
    QString settingsDir() const override { return QString(); }
    QList<MvQARN::VGXPlugInDllModuleInterface*> modules() const override { return {}; }

private:
    int m_family;
    const MvQARN::VGXHostContext* m_previous;
};

} // namespace testsupport
