#include "ui/ifc/CBasebandLynxDataDialog.h"

#include "frame/KobraDialogRoutes.h"
#include "ui/ifc/CLynxPanelBase.h"
#include "ui/ifc/CLynxPnlData.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxDataDialog(request.instance, request.direction);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowData] = &create, true);

} // namespace

CBasebandLynxDataDialog::CBasebandLynxDataDialog(int instance, int direction)
    : CLynxSetupDialog(QStringLiteral("CBasebandLynxDataDialog"), instance, direction,
                       QStringLiteral(" : Data Setup"), QStringLiteral(" Data"), true) {
    m_panel = new CLynxPnlData(this, instance, direction);
    setPanel(m_panel);
}

CBasebandLynxDataDialog::~CBasebandLynxDataDialog() = default;

bool CBasebandLynxDataDialog::logicTypeCloses(int logicType) const {
    return logicType == 7 || (logicType == 6 && !CLynxPanelBase::isUserFamily());
}

} // namespace MvQARN
