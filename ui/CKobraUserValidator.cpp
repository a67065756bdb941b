#include "ui/CKobraUserValidator.h"

#include <QApplication>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXMessageBox.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

constexpr int kFamilyUserDefined = 0x10000;

VGXUserDbAttributes binding(const char* name, int t0, int t1, int t2, int t3) {
    return VGXUserDbAttributes(name, t0, t3, t1, t2);
}

// Switching on is the change that asks in modes 1 and 2; in mode 0 every change may ask.
int triggerFor(int mode) {
    return mode == 0 ? -1 : 1;
}

int readInt(VGXDatabaseConnectorEntry* entry, int fallback) {
    if (!entry)
        return fallback;
    VGXDataContainer* data = entry->getData();
    return data && data->hasData() ? data->getIntegerData() : fallback;
}

} // namespace

CKobraUserValidator::CKobraUserValidator(const char* guiParameter, const char* watchedParameter, int mode,
                                         int arg4, int index1, int index2, int index3, int index4)
    : VGXGuiUserValidator(binding(guiParameter, index1, index2, index3, index4),
                          binding(watchedParameter, index1, index2, index3, index4), triggerFor(mode)),
      m_guiParameter(guiParameter), m_watchedParameter(watchedParameter), m_mode(mode), m_arg4(arg4),
      m_index1(index1), m_index2(index2), m_index3(index3), m_index4(index4) {
    m_logicType = VGXDataObject::connectDatabase(
        nullptr, binding("IdPDbLynxLogicType", index1, index2, index3, index4));
    m_stateEntry =
        VGXDataObject::connectDatabase(this, binding("IdPDbKobraState", index1, index2, index3, index4));
    m_typeEntry =
        VGXDataObject::connectDatabase(this, binding("IdPDbKobraType", index1, index2, index3, index4));
    m_kobraState = readInt(m_stateEntry, 0);
    m_kobraType = readInt(m_typeEntry, 0);
}

CKobraUserValidator::~CKobraUserValidator() {
    // The connector without a listener is not found through this listener.
    VGXDataObject::disconnectDatabase(m_logicType);
}

void CKobraUserValidator::processOtherEvent(VGXDataEvent* event) {
    const VGXDataContainer* data = event->getEntryData();
    if (!data || !data->hasData())
        return;
    if (event->getSourceEntry() == m_stateEntry)
        m_kobraState = data->getIntegerData();
    else if (event->getSourceEntry() == m_typeEntry)
        m_kobraType = data->getIntegerData();
    else
        return;
    // The interface state is read from the box's state and type and stores nothing itself, so it
    // raises no event of its own when they change.
    refreshFromReal();
}

bool CKobraUserValidator::needsConfirmation(int) {
    switch (m_mode) {
    case 0:
        if (VGXUtility::getSigGenFamily() == kFamilyUserDefined)
            return m_kobraState == 1 && m_kobraType == 0;
        return true;
    case 1:
        return m_kobraType == 0;
    default:
        return true;
    }
}

bool CKobraUserValidator::confirm(int) {
    VGXMessageBox box(QStringLiteral("Warning"), warningText(), VGXMessageBox::Warning,
                      QApplication::activeWindow());
    box.addDialogButton(VGXMessageBox::ButtonOk);
    box.addDialogButton(VGXMessageBox::ButtonCancel);
    return box.exec() == VGXMessageBox::ButtonOk;
}

QString CKobraUserValidator::warningText() {
    QString text;
    if (m_mode == 1 || m_mode == 2) {
        const int logic = readInt(m_logicType, -1);
        text = QStringLiteral("The current Logic Type of Kobra is <") +
               logicTypeName(logic, VGXUtility::getSigGenFamily()) + QStringLiteral(">. \n");
    }
    return text + QStringLiteral("The use of an incompatible Logic Type might damage the hardware!\n\n"
                                 "Do you want to apply the changes?");
}

QString CKobraUserValidator::logicTypeName(int value, int family) {
    static const char* const kCommon[] = {"LVDS",      "LVTTL",     "3.3V CMOS",
                                          "2.5V CMOS", "1.8V CMOS", "1.5V CMOS"};
    if (value >= 0 && value < 6)
        return QString::fromLatin1(kCommon[value]);
    if (family == kFamilyUserDefined)
        return value == 8 ? QStringLiteral("1.2V CMOS") : QString();
    if (value == 6)
        return QStringLiteral("1.8V SSI");
    if (value == 7)
        return QStringLiteral("2.8V SSI");
    return QString();
}

} // namespace MvQARN
