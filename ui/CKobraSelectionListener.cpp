#include "ui/CKobraSelectionListener.h"

#include <QRegularExpression>

#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

namespace {

// Entry 0 of the list is "None"; the selection has room for 19 boxes after it.
constexpr int kSelectionEntries = 20;

QString withDevice(const QString& title, const QString& device) {
    static const QRegularExpression parentheses(QStringLiteral("\\(.*\\)"));
    QString out = title;
    const QRegularExpressionMatch m = parentheses.match(out);
    if (m.hasMatch())
        out.replace(m.capturedStart(), m.capturedLength(), QLatin1Char('(') + device + QLatin1Char(')'));
    return out;
}

} // namespace

CKobraSelectionListener::CKobraSelectionListener(int instance, int direction, VGXDialog* dialog)
    : m_dialog(dialog) {
    m_selected = VGXDataObject::connectDatabase(
        this, VGXUserDbAttributes("IdPDbKobraSelected", instance, -1, direction, -1));
    m_serials = VGXDataObject::connectDatabase(
        this, VGXUserDbAttributes("IdPDbKobraSerials", instance, -1, direction, -1));
    update();
}

CKobraSelectionListener::~CKobraSelectionListener() {
    VGXDataObject::disconnectDatabase(this);
}

void CKobraSelectionListener::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    if (event->getSourceEntry() == m_selected || event->getSourceEntry() == m_serials)
        update();
}

QString CKobraSelectionListener::deviceText() {
    const int k = m_selected && m_selected->hasData() ? m_selected->getIntegerData() : 0;
    QStringList serials;
    if (m_serials)
        if (const VGXDataContainer* list = m_serials->getData(); list && list->hasData())
            serials = list->getStringListData();
    if (k > 0 && k < kSelectionEntries && k < serials.size())
        return serials.at(k);
    return QStringLiteral("no selected device");
}

void CKobraSelectionListener::update() {
    if (!m_dialog)
        return;
    const QString device = deviceText();
    m_dialog->setTitles(withDevice(m_dialog->title(), device), withDevice(m_dialog->shortTitle(), device));
}

} // namespace MvQARN
