#pragma once
// The interface dialog of any of the four interfaces, picked by one index k that counts both paths and
// both sides: path k mod 2, side k / 2.
#include "ui/ifc/CBasebandLynxMainDialog.h"

namespace MvQARN {

class VGX_EXPORT CBasebandLynxMainInOutDialog : public CBasebandLynxMainDialog {
    Q_OBJECT
public:
    explicit CBasebandLynxMainInOutDialog(int k);
    ~CBasebandLynxMainInOutDialog() override;
};

} // namespace MvQARN
