#include "ui/diagrams/CBasebandLynxGraphSsi.h"

#include "ui/diagrams/CLynxGraphConnection.h"

namespace MvQARN {

namespace {

constexpr int ClockUserInterface = 1;

SLynxConnection connection(int direction, int clockSource) {
    // The receiving and the transmitting box use different connector pins.
    const bool rx = direction == 0;
    SLynxConnection c;
    c.iqToBox = !rx;
    c.dutGapShare = 1.5;
    c.links << SLynxConnection::Link{QStringLiteral("Clock"), CLynxGraphPath::Line, 0.25,
                                     clockSource != ClockUserInterface,
                                     rx ? QStringLiteral("C16") : QStringLiteral("F25")}
            << SLynxConnection::Link{QStringLiteral("Frame Sync"), CLynxGraphPath::Line, 0.5, !rx,
                                     rx ? QStringLiteral("C14") : QStringLiteral("F24")}
            << SLynxConnection::Link{QStringLiteral("Data"), CLynxGraphPath::Broad, 0.75, !rx,
                                     rx ? QStringLiteral("A16") : QStringLiteral("A26")};
    return c;
}

} // namespace

CBasebandLynxGraphSsi::CBasebandLynxGraphSsi(QWidget* parent, int instance, int direction)
    : CLynxGraphBase(parent, instance, direction, {"IdPDbLynxDirection", "IdPDbLynxClocSour"}) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CBasebandLynxGraphSsi::~CBasebandLynxGraphSsi() = default;

CLynxGraphModel CBasebandLynxGraphSsi::model() const {
    return layoutLynxConnection(connection(intValue(Direction, 1), intValue(ClockSource, 2)), size(), font());
}

QSize CBasebandLynxGraphSsi::sizeHint() const {
    return lynxConnectionSizeHint(connection(1, 2), font());
}

QSize CBasebandLynxGraphSsi::minimumSizeHint() const {
    return QSize(sizeHint().width() * 3 / 4, sizeHint().height());
}

} // namespace MvQARN
