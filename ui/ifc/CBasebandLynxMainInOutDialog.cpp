#include "ui/ifc/CBasebandLynxMainInOutDialog.h"

#include "frame/KobraDialogRoutes.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxMainInOutDialog(request.instance);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowMainInOut] = &create, true);

} // namespace

CBasebandLynxMainInOutDialog::CBasebandLynxMainInOutDialog(int k)
    : CBasebandLynxMainDialog(k, k % 2, k / 2) {}

CBasebandLynxMainInOutDialog::~CBasebandLynxMainInOutDialog() = default;

} // namespace MvQARN
