#include "ui/diagrams/CBasebandLynxGraphClock.h"

#include "ui/diagrams/CLynxGraphConnection.h"

namespace MvQARN {

namespace {

enum { ClockInternal = 0, ClockUserInterface = 1, ClockRefIn = 2 };

SLynxConnection connection(int direction, int clockSource, double width) {
    SLynxConnection c;
    // Direction 1: the instrument transmits through the box to the DUT.
    c.iqToBox = direction != 0;
    c.instrumentPort = QStringLiteral("REF OUT");
    c.boxPort = QStringLiteral("REF IN");
    // The DUT supplies the clock only through the user interface.
    c.links << SLynxConnection::Link{QStringLiteral("Clock"), CLynxGraphPath::Line, 1.0 / 3,
                                     clockSource != ClockUserInterface, QString()}
            << SLynxConnection::Link{QStringLiteral("Data"), CLynxGraphPath::Broad, 2.0 / 3, direction != 0,
                                     QString()};
    c.reference = true;
    c.referenceName = QStringLiteral("Reference Clock");
    c.referenceLabel = width < CBasebandLynxGraphClock::NarrowWidth ? QStringLiteral("Ref. Clock")
                                                                    : QStringLiteral("Reference Clock");
    // The reference clock is of no use while the DUT clocks the interface.
    if (clockSource == ClockUserInterface)
        c.referenceColor = QColor(Qt::darkGray);
    return c;
}

} // namespace

CBasebandLynxGraphClock::CBasebandLynxGraphClock(QWidget* parent, int instance, int direction)
    : CLynxGraphBase(parent, instance, direction, {"IdPDbLynxDirection", "IdPDbLynxClocSour"}) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CBasebandLynxGraphClock::~CBasebandLynxGraphClock() = default;

CLynxGraphModel CBasebandLynxGraphClock::model() const {
    return layoutLynxConnection(
        connection(intValue(Direction, 1), intValue(ClockSource, ClockRefIn), width()), size(), font());
}

QSize CBasebandLynxGraphClock::sizeHint() const {
    return lynxConnectionSizeHint(connection(1, ClockRefIn, NarrowWidth), font());
}

QSize CBasebandLynxGraphClock::minimumSizeHint() const {
    return QSize(NarrowWidth - 20, sizeHint().height());
}

} // namespace MvQARN
