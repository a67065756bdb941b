#include "host/gui/impl/VGXGuiRegistry.h"

#include "host/gui/VGXBlockDiagram.h"
#include "host/gui/VGXCommandPanelClasses.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/VGXPanelClasses.h"
#include "host/util/impl/VGXTraceSink.h"

namespace MvQARN {

namespace {

// Registrations happen on the GUI thread only, so the registry needs no lock.
struct RegistryState {
    QList<VGXGuiRegistry::Record> records;
    bool up = false;
    int owner = -1;
};

RegistryState& state() {
    static RegistryState s;
    return s;
}

} // namespace

void VGXGuiRegistry::record(const QString& kind, const QString& line) {
    state().records.append(Record{kind, line, state().owner});
    VGXTraceSink::trace(line);
}

QList<VGXGuiRegistry::Record> VGXGuiRegistry::records() {
    return state().records;
}

QStringList VGXGuiRegistry::lines() {
    QStringList out;
    for (const Record& r : std::as_const(state().records))
        out << r.line;
    return out;
}

QStringList VGXGuiRegistry::lines(const QString& kind) {
    QStringList out;
    for (const Record& r : std::as_const(state().records))
        if (r.kind == kind)
            out << r.line;
    return out;
}

bool VGXGuiRegistry::isUp() {
    return state().up;
}

void VGXGuiRegistry::setUp(bool up) {
    state().up = up;
}

int VGXGuiRegistry::currentOwner() {
    return state().owner;
}

void VGXGuiRegistry::setCurrentOwner(int owner) {
    state().owner = owner;
}

void VGXGuiRegistry::reset() {
    VGXDfDialogFactory::reset();
    clearDialogItems();
    VGXMain::clearFileTypes();
    VGXDescriptors::clear();
    VGXBlockDiagram::clear();
    VGXPanelClasses::clear();
    VGXCommandPanelClasses::clear();
    state().records.clear();
}

QString VGXGuiRegistry::quoted(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace MvQARN
