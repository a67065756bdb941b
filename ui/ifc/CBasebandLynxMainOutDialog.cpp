#include "ui/ifc/CBasebandLynxMainOutDialog.h"

#include "frame/KobraDialogRoutes.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxMainOutDialog(request.instance, request.instance);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowMainOut] = &create, true);

} // namespace

CBasebandLynxMainOutDialog::CBasebandLynxMainOutDialog(int instance, int path)
    : CBasebandLynxMainDialog(instance, path, 1) {}

CBasebandLynxMainOutDialog::~CBasebandLynxMainOutDialog() = default;

} // namespace MvQARN
