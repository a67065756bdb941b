#include "ui/diagrams/CBasebandLynxGraphSsiFrame.h"

#include <QVBoxLayout>
#include <cmath>

#include "host/gui/VGXStyleManager.h"

namespace MvQARN {

namespace {

constexpr int DefaultWordSize = 16;

int halfUp(double bits) {
    return int(std::floor(bits + 0.5));
}

} // namespace

CBasebandLynxGraphSsiFrame::CBasebandLynxGraphSsiFrame(QWidget* parent, int instance, int direction)
    : CLynxGraphBase(parent, instance, direction, {"IdPDbLynxSsiWordSize", "IdPDbLynxSsiCmBitLen"}),
      m_label(new VGXStructureLabel) {
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    setLayout(layout);
    add(m_label);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    valuesChanged();
}

CBasebandLynxGraphSsiFrame::~CBasebandLynxGraphSsiFrame() = default;

QList<VGXStructureLabel::Field> CBasebandLynxGraphSsiFrame::frameFields(std::optional<double> wordSize,
                                                                        std::optional<double> cmSize) {
    const int word = wordSize ? halfUp(*wordSize) : DefaultWordSize;
    const int cm = cmSize ? halfUp(*cmSize) : 0;
    QList<VGXStructureLabel::Field> fields;
    const QColor data = VGXStyleManager::color(QStringLiteral("DataColor"));
    if (word > 0)
        fields << VGXStructureLabel::Field{QStringLiteral("I"), word, data}
               << VGXStructureLabel::Field{QStringLiteral("Q"), word, data};
    if (cm > 0)
        fields << VGXStructureLabel::Field{QStringLiteral("C&M"), cm,
                                           VGXStyleManager::color(QStringLiteral("ControlColor"))};
    return fields;
}

CLynxGraphModel CBasebandLynxGraphSsiFrame::model() const {
    return CLynxGraphModel();
}

void CBasebandLynxGraphSsiFrame::valuesChanged() {
    m_label->setStructure(frameFields(value(WordSize), value(CmSize)));
    update();
}

} // namespace MvQARN
