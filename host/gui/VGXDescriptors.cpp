#include "host/gui/VGXDescriptors.h"

#include <cstring>
#include <memory>
#include <vector>

#include "host/gui/VGXDescriptorEntry.h"
#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

namespace {

std::vector<std::unique_ptr<VGXDescriptorEntry>>& entries() {
    static std::vector<std::unique_ptr<VGXDescriptorEntry>> list;
    return list;
}

} // namespace

bool VGXDescriptors::addDescriptor(VGXDescriptorEntry* entry) {
    if (!entry)
        return false;
    entries().emplace_back(entry);
    VGXGuiRegistry::record(QStringLiteral("addDescriptor"),
                           QStringLiteral("addDescriptor ") + entry->describe());
    return true;
}

int VGXDescriptors::addDescriptors(VGXDescriptorEntry* const* list) {
    int n = 0;
    for (; list && list[n]; ++n)
        addDescriptor(list[n]);
    return n;
}

const VGXDescriptorEntry* VGXDescriptors::find(const char* parameterName) {
    if (!parameterName)
        return nullptr;
    const auto& list = entries();
    for (auto it = list.crbegin(); it != list.crend(); ++it)
        if (std::strcmp((*it)->parameterName(), parameterName) == 0)
            return it->get();
    return nullptr;
}

QList<const VGXDescriptorEntry*> VGXDescriptors::descriptors() {
    QList<const VGXDescriptorEntry*> out;
    for (const auto& e : entries())
        out << e.get();
    return out;
}

int VGXDescriptors::count() {
    return int(entries().size());
}

void VGXDescriptors::clear() {
    entries().clear();
}

} // namespace MvQARN
