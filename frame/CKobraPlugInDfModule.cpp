#include "frame/CKobraPlugInDfModule.h"

#include "frame/KobraDialogRoutes.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/util/VGXUtility.h"

namespace Kobra {

DialogCreator g_dialogCreators[DlgRowCount] = {};

namespace {

constexpr int kFamilySplitInstance = 0x10000;

struct SRowName {
    const char* name;
    bool contains;
    EDialogRow row;
};

const SRowName kRows[] = {
    {"CKobraDlgMain", false, DlgRowMain},
    {"CKobraDlgDeviceManager", false, DlgRowDeviceManager},
    {"CKobraDlgTranRec", true, DlgRowTranRec},
    {"CKobraDlgInstrument", true, DlgRowInstrument},
    {"CBasebandLynxMainInDialog", false, DlgRowMainIn},
    {"CBasebandLynxMainOutDialog", false, DlgRowMainOut},
    {"CBasebandLynxMainInOutDialog", false, DlgRowMainInOut},
    {"CBasebandLynxClockDialog", false, DlgRowClock},
    {"CBasebandLynxDataDialog", false, DlgRowData},
    {"CBasebandLynxSpiDialog", false, DlgRowSpi},
    {"CBasebandLynxTestDialog", false, DlgRowTest},
};

} // namespace

EDialogRow resolveDialogRequest(const QString& name, const QString& qualifier, int instance, int direction,
                                int channel, int family, SDialogRequest& out) {
    out = SDialogRequest();
    EDialogRow row = DlgRowNone;
    for (const SRowName& r : kRows) {
        const QLatin1String rowName(r.name);
        if (r.contains ? name.contains(rowName) : name == rowName) {
            row = r.row;
            break;
        }
    }
    if (row == DlgRowNone)
        return row;

    if (row == DlgRowTranRec) {
        // Under this family one instance number counts both recorder instances and directions.
        if (family == kFamilySplitInstance) {
            direction = instance / 2;
            instance = instance % 2;
        }
        if (name.contains(QLatin1String("CKobraDlgTranRecChannel")))
            channel = name.right(1).toInt();
    }

    out.row = row;
    out.qualifier = qualifier;
    out.instance = instance;
    out.direction = direction;
    out.channel = channel;
    return row;
}

} // namespace Kobra

namespace MvQARN {

CKobraPlugInDfModule::~CKobraPlugInDfModule() = default;

VGXDialog* CKobraPlugInDfModule::createDialog(const VGXDialogAttributes* attributes) {
    const auto* user = dynamic_cast<const VGXUserDialogAttributes*>(attributes);
    if (!user)
        return nullptr;
    Kobra::SDialogRequest request;
    // The station is not used by any KOBRA dialog.
    const Kobra::EDialogRow row = Kobra::resolveDialogRequest(
        user->dialogName(), user->dialogQualifier(), user->instance(), user->direction(), user->channel(),
        VGXUtility::getSigGenFamily(), request);
    if (row == Kobra::DlgRowNone)
        return nullptr;
    request.attributes = user;
    const Kobra::DialogCreator create = Kobra::g_dialogCreators[row];
    return create ? create(request) : nullptr;
}

VGXDfModuleBase* CKobraPlugInDfModule::clone() const {
    return new CKobraPlugInDfModule(*this);
}

} // namespace MvQARN
