#pragma once
// What the running host tells the base services (family code, settings folder, loaded modules).
// The host installs its context while it runs; without one the services use their defaults. The
// base services cannot include the host runtime, which is built on them.
#include <QList>
#include <QString>

#include "host/util/VGXExport.h"

namespace MvQARN {

class VGXPlugInDllModuleInterface;

class VGX_EXPORT VGXHostContext {
public:
    virtual ~VGXHostContext();

    // The instrument family code the host runs with.
    virtual int family() const = 0;
    // The folder for documents and settings the host was given; empty for the user's own.
    virtual QString settingsDir() const = 0;
    // The modules the host has loaded, in loading order.
    virtual QList<VGXPlugInDllModuleInterface*> modules() const = 0;

    // The installed context; null when no host runs.
    static const VGXHostContext* current();
    // Makes context (may be null) the current one and answers the one it replaces, which the caller
    // installs again when it goes.
    static const VGXHostContext* install(const VGXHostContext* context);
};

} // namespace MvQARN
