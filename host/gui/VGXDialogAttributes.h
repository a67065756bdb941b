#pragma once
// What a dialog is opened for: the dialog's name and a qualifier that tells apart several dialogs
// of the same name. Polymorphic, so a factory can test for a richer attribute class.
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT VGXDialogAttributes {
public:
    VGXDialogAttributes() = default;
    explicit VGXDialogAttributes(const QString& dialogName, const QString& qualifier = QString());
    VGXDialogAttributes(const VGXDialogAttributes&) = default;
    VGXDialogAttributes& operator=(const VGXDialogAttributes&) = default;
    virtual ~VGXDialogAttributes();

    const QString& dialogName() const { return m_dialogName; }
    const QString& dialogQualifier() const { return m_qualifier; }
    void setDialogName(const QString& name) { m_dialogName = name; }
    void setDialogQualifier(const QString& qualifier) { m_qualifier = qualifier; }

    virtual VGXDialogAttributes* clone() const;

private:
    QString m_dialogName;
    QString m_qualifier;
};

} // namespace MvQARN
