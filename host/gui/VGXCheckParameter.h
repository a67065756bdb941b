#pragma once
// An OFF/ON parameter as a check box. The label stands in the label column, or, when asked, on
// the box itself (a check box row of its own, "Enable Automatic Gain").
#include "host/gui/VGXParameterControl.h"

class QCheckBox;

namespace MvQARN {

class VGX_EXPORT VGXCheckParameter : public VGXParameterControl {
    Q_OBJECT
public:
    enum ELabelPlace { LabelInColumn, LabelOnBox };

    VGXCheckParameter(QWidget* parent, const QString& label, const VGXUserDbAttributes& binding,
                      ELabelPlace place = LabelInColumn);
    ~VGXCheckParameter() override;

    QCheckBox* checkBox() const { return m_box; }
    bool isChecked() const;

protected:
    void showValue(const VGXDataContainer* value) override;

private:
    QCheckBox* m_box;
};

} // namespace MvQARN
