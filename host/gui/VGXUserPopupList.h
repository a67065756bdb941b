#pragma once
// The entries of a user popup (VGXSaveRecallPopup), in menu order.
#include <QList>

#include "host/gui/VGXPopupStruct.h"

namespace MvQARN {

class VGX_EXPORT VGXUserPopupList {
public:
    VGXUserPopupList() = default;

    VGXUserPopupList& add(const VGXPopupStruct& entry);
    int count() const { return int(m_entries.size()); }
    const VGXPopupStruct& at(int index) const { return m_entries.at(index); }
    const QList<VGXPopupStruct>& entries() const { return m_entries; }

private:
    QList<VGXPopupStruct> m_entries;
};

} // namespace MvQARN
