#pragma once
// The interface dialog of the Out side (BBOUT) of one path.
#include "ui/ifc/CBasebandLynxMainDialog.h"

namespace MvQARN {

class VGX_EXPORT CBasebandLynxMainOutDialog : public CBasebandLynxMainDialog {
    Q_OBJECT
public:
    explicit CBasebandLynxMainOutDialog(int instance, int path);
    ~CBasebandLynxMainOutDialog() override;
};

} // namespace MvQARN
