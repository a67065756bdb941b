#include "host/gui/VGXDfModuleBase.h"

namespace MvQARN {

VGXDfModuleBase::~VGXDfModuleBase() = default;

void VGXDfModuleBase::isAboutToGetDialogPointer(VGXDialog*, const VGXDialogAttributes*) {}

void VGXDfModuleBase::isAboutToFront(VGXDialog*) {}

bool VGXDfModuleBase::getPersistent() const {
    return true;
}

} // namespace MvQARN
