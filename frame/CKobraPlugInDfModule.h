#pragma once
// The KOBRA dialog factory registered with the host's dialog registry.
#include "host/gui/VGXDfModuleBase.h"

namespace MvQARN {

class CKobraPlugInDfModule : public VGXDfModuleBase {
public:
    CKobraPlugInDfModule() = default;
    CKobraPlugInDfModule(const CKobraPlugInDfModule&) = default;
    CKobraPlugInDfModule& operator=(const CKobraPlugInDfModule&) = default;
    ~CKobraPlugInDfModule() override;

    // Null for attributes that are not VGXUserDialogAttributes, a name no row matches, or a row whose
    // dialog class is not available.
    VGXDialog* createDialog(const VGXDialogAttributes* attributes) override;
    VGXDfModuleBase* clone() const override;
};

} // namespace MvQARN
