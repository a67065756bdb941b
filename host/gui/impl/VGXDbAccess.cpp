#include "host/gui/impl/VGXDbAccess.h"

#include "host/db/DbDefinitions.h"
#include "host/db/impl/CDbEngine.h"

namespace MvQARN::VGXDbAccess {

namespace {

const SDbDefCommon* record(const QByteArray& name, const SDbInstTupel& tupel) {
    if (name.isEmpty())
        return nullptr;
    const SDbDefCommon* def = nullptr;
    SDbInstTupel stored;
    return CDbEngine::instance().locate(name.constData(), tupel, def, stored) == 0 ? def : nullptr;
}

} // namespace

bool exists(const QByteArray& name, const SDbInstTupel& tupel) {
    return record(name, tupel) != nullptr;
}

int recordType(const QByteArray& name, const SDbInstTupel& tupel) {
    const SDbDefCommon* def = record(name, tupel);
    return def ? def->type : 0;
}

int recordUnit(const QByteArray& name, const SDbInstTupel& tupel) {
    const SDbDefCommon* def = record(name, tupel);
    return def ? def->unit : 0;
}

QString userSettingsFolder() {
    return CDbEngine::instance().userSettingsDir();
}

} // namespace MvQARN::VGXDbAccess
