#include "ui/ifc/CBasebandLynxSpiDialog.h"

#include "frame/KobraDialogRoutes.h"
#include "ui/ifc/CLynxPanelBase.h"
#include "ui/ifc/CLynxPnlSpi.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxSpiDialog(request.instance, request.direction);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowSpi] = &create, true);

} // namespace

CBasebandLynxSpiDialog::CBasebandLynxSpiDialog(int instance, int direction)
    : CLynxSetupDialog(QStringLiteral("CBasebandLynxSpiDialog"), instance, direction,
                       QStringLiteral(" : SPI Setup"), QStringLiteral(" SPI"), true) {
    m_panel = new CLynxPnlSpi(this, instance, direction);
    setPanel(m_panel);
}

CBasebandLynxSpiDialog::~CBasebandLynxSpiDialog() = default;

bool CBasebandLynxSpiDialog::logicTypeCloses(int logicType) const {
    return !CLynxPanelBase::isUserFamily() && logicType != 6 && logicType != 7;
}

} // namespace MvQARN
