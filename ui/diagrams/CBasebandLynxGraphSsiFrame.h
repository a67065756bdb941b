#pragma once
// SSI frame diagram of the SSI panel: the words of one SSI frame ("I", "Q" and the control and
// monitoring word "C&M") as a structure strip, each as wide as its number of bits.
#include <optional>

#include "host/gui/VGXStructureLabel.h"
#include "ui/diagrams/CLynxGraphBase.h"

namespace MvQARN {

class CBasebandLynxGraphSsiFrame : public CLynxGraphBase {
    Q_OBJECT
public:
    explicit CBasebandLynxGraphSsiFrame(QWidget* parent = nullptr, int instance = -1, int direction = -1);
    ~CBasebandLynxGraphSsiFrame() override;

    // The frame for an SSI word size and a C&M size (in bits; empty when unknown).
    static QList<VGXStructureLabel::Field> frameFields(std::optional<double> wordSize,
                                                       std::optional<double> cmSize);

    // The strip draws itself: the model is empty.
    CLynxGraphModel model() const override;
    VGXStructureLabel* structureLabel() const { return m_label; }

protected:
    void valuesChanged() override;

private:
    enum { WordSize, CmSize };
    VGXStructureLabel* m_label;
};

} // namespace MvQARN
