#include "ui/ifc/CBasebandLynxTestDialog.h"

#include "frame/KobraDialogRoutes.h"
#include "ui/ifc/CLynxPnlTest.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxTestDialog(request.instance, request.direction);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowTest] = &create, true);

} // namespace

CBasebandLynxTestDialog::CBasebandLynxTestDialog(int instance, int direction)
    : CLynxSetupDialog(QStringLiteral("CBasebandLynxTestDialog"), instance, direction,
                       QStringLiteral(" : Test"), QStringLiteral(" Test"), false) {
    m_panel = new CLynxPnlTest(this, instance, direction);
    setPanel(m_panel);
}

CBasebandLynxTestDialog::~CBasebandLynxTestDialog() = default;

bool CBasebandLynxTestDialog::logicTypeCloses(int logicType) const {
    Q_UNUSED(logicType);
    return false;
}

} // namespace MvQARN
