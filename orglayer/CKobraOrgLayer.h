#pragma once
// The KOBRA box's organisation layer: turns changed interface parameters into box programming.
#include "orglayer/COlKobraLoadableExtension.h"

namespace MvQARN {

class CKobraOrgLayer : public COlKobraLoadableExtension {
public:
    CKobraOrgLayer();
    ~CKobraOrgLayer() override;

    int extensionCode() const override;
    const char* parameterPrefix() const override;
    int extensionOption() const override;
};

} // namespace MvQARN
