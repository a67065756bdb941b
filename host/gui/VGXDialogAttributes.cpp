#include "host/gui/VGXDialogAttributes.h"

namespace MvQARN {

VGXDialogAttributes::VGXDialogAttributes(const QString& dialogName, const QString& qualifier)
    : m_dialogName(dialogName), m_qualifier(qualifier) {}

VGXDialogAttributes::~VGXDialogAttributes() = default;

VGXDialogAttributes* VGXDialogAttributes::clone() const {
    return new VGXDialogAttributes(*this);
}

} // namespace MvQARN
