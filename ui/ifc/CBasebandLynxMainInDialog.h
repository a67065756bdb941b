#pragma once
// The interface dialog of the In side (BBIN) of one path.
#include "ui/ifc/CBasebandLynxMainDialog.h"

namespace MvQARN {

class VGX_EXPORT CBasebandLynxMainInDialog : public CBasebandLynxMainDialog {
    Q_OBJECT
public:
    explicit CBasebandLynxMainInDialog(int instance, int path);
    ~CBasebandLynxMainInDialog() override;
};

} // namespace MvQARN
