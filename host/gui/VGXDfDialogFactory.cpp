#include "host/gui/VGXDfDialogFactory.h"

#include <QPointer>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>
#include <vector>

#include "host/gui/VGXDfModuleBase.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

namespace {

struct KeptDialog {
    QString name;
    QString qualifier;
    QPointer<VGXDialog> dialog;
    VGXDfModuleBase* module = nullptr;
};

struct FactoryState {
    std::vector<std::unique_ptr<VGXDfModuleBase>> modules;
    QList<KeptDialog> dialogs;
};

// Never destroyed: module clones may come from an unloaded library and dialogs must not outlive
// the application object, so both are released explicitly (reset) and never at process exit.
FactoryState& state() {
    static FactoryState* s = new FactoryState;
    return *s;
}

QString className(const VGXDfModuleBase& module) {
    const char* mangled = typeid(module).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const QString name = QString::fromLatin1(status == 0 && demangled ? demangled : mangled);
    std::free(demangled);
    return name;
}

// Drops entries whose dialog was deleted (closed non-persistent dialogs).
void prune() {
    QList<KeptDialog>& kept = state().dialogs;
    kept.removeIf([](const KeptDialog& k) { return k.dialog.isNull(); });
}

KeptDialog* findKept(const QString& name, const QString& qualifier) {
    prune();
    for (KeptDialog& k : state().dialogs)
        if (k.name == name && k.qualifier == qualifier)
            return &k;
    return nullptr;
}

} // namespace

int VGXDfDialogFactory::registerModule(const VGXDfModuleBase& module) {
    FactoryState& s = state();
    std::unique_ptr<VGXDfModuleBase> copy(module.clone());
    const QString name = className(module);
    if (!copy) {
        VGXGuiRegistry::record(QStringLiteral("registerModule"),
                               QStringLiteral("registerModule %1 -> refused (no clone)").arg(name));
        return int(s.modules.size());
    }
    s.modules.push_back(std::move(copy));
    const int count = int(s.modules.size());
    VGXGuiRegistry::record(QStringLiteral("registerModule"),
                           QStringLiteral("registerModule %1 -> %2").arg(name).arg(count));
    return count;
}

VGXDialog* VGXDfDialogFactory::getDialogPointer(const VGXDialogAttributes* attributes) {
    if (!attributes)
        return nullptr;
    FactoryState& s = state();
    if (KeptDialog* k = findKept(attributes->dialogName(), attributes->dialogQualifier())) {
        // Copied out: the module may ask the registry again and so move the entry.
        QPointer<VGXDialog> dialog = k->dialog;
        k->module->isAboutToGetDialogPointer(dialog, attributes);
        return dialog;
    }
    // By index: a module may register further modules while it creates a dialog.
    for (size_t i = 0; i < s.modules.size(); ++i) {
        VGXDfModuleBase* module = s.modules[i].get();
        VGXDialog* dialog = module->createDialog(attributes);
        if (!dialog)
            continue;
        if (dialog->name().isEmpty())
            dialog->setName(attributes->dialogName());
        if (!dialog->attributes())
            dialog->setAttributes(*attributes);
        if (!module->getPersistent())
            dialog->setAttribute(Qt::WA_DeleteOnClose);
        s.dialogs.append(KeptDialog{attributes->dialogName(), attributes->dialogQualifier(), dialog, module});
        return dialog;
    }
    return nullptr;
}

VGXDialog* VGXDfDialogFactory::toFront(const VGXDialogAttributes* attributes) {
    VGXDialog* dialog = getDialogPointer(attributes);
    if (dialog)
        toFront(dialog);
    return dialog;
}

bool VGXDfDialogFactory::toFront(VGXDialog* dialog) {
    if (!dialog)
        return false;
    prune();
    for (const KeptDialog& k : std::as_const(state().dialogs)) {
        if (k.dialog != dialog)
            continue;
        k.module->isAboutToFront(dialog);
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
        return true;
    }
    return false;
}

int VGXDfDialogFactory::moduleCount() {
    return int(state().modules.size());
}

const VGXDfModuleBase* VGXDfDialogFactory::module(int index) {
    const auto& modules = state().modules;
    return index >= 0 && size_t(index) < modules.size() ? modules[size_t(index)].get() : nullptr;
}

QList<VGXDialog*> VGXDfDialogFactory::dialogs() {
    prune();
    QList<VGXDialog*> out;
    for (const KeptDialog& k : std::as_const(state().dialogs))
        out << k.dialog.data();
    return out;
}

VGXDialog* VGXDfDialogFactory::findDialog(const QString& name, const QString& qualifier) {
    KeptDialog* k = findKept(name, qualifier);
    return k ? k->dialog.data() : nullptr;
}

void VGXDfDialogFactory::deleteDialogs() {
    // Taken out first: deleting a dialog may run code that asks the registry again.
    const QList<KeptDialog> kept = std::exchange(state().dialogs, {});
    for (const KeptDialog& k : kept)
        delete k.dialog.data();
}

void VGXDfDialogFactory::reset() {
    deleteDialogs();
    state().modules.clear();
}

} // namespace MvQARN
