#include "ui/ifc/CBasebandLynxMainInDialog.h"

#include "frame/KobraDialogRoutes.h"

namespace MvQARN {

namespace {

VGXDialog* create(const Kobra::SDialogRequest& request) {
    return new CBasebandLynxMainInDialog(request.instance, request.instance);
}

[[maybe_unused]] const bool s_creatorSet = (Kobra::g_dialogCreators[Kobra::DlgRowMainIn] = &create, true);

} // namespace

CBasebandLynxMainInDialog::CBasebandLynxMainInDialog(int instance, int path)
    : CBasebandLynxMainDialog(instance, path, 0) {}

CBasebandLynxMainInDialog::~CBasebandLynxMainInDialog() = default;

} // namespace MvQARN
