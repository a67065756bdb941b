#include "ui/ifc/CBasebandLynxClockDialog.h"

#include "frame/KobraDialogRoutes.h"
#include "ui/ifc/CLynxPanelBase.h"
#include "ui/ifc/CLynxPnlClock.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxClockDialog(request.instance, request.direction);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowClock] = &create, true);

} // namespace

CBasebandLynxClockDialog::CBasebandLynxClockDialog(int instance, int direction)
    : CLynxSetupDialog(QStringLiteral("CBasebandLynxClockDialog"), instance, direction,
                       QStringLiteral(" : Clock Setup"), QStringLiteral(" Clock"), true) {
    m_panel = new CLynxPnlClock(this, instance, direction);
    setPanel(m_panel);
}

CBasebandLynxClockDialog::~CBasebandLynxClockDialog() = default;

bool CBasebandLynxClockDialog::logicTypeCloses(int logicType) const {
    return logicType == 7 || (logicType == 6 && !CLynxPanelBase::isUserFamily());
}

} // namespace MvQARN
