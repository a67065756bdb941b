#pragma once
// Layout shared by the clock and the SSI connection diagrams: the instrument, the KOBRA box and the
// device under test side by side, a broad "IQ Data" arrow between the first two and a few paths
// between the box and the DUT, optionally a reference path under the instrument and the box.
#include <QColor>
#include <QFont>
#include <QList>
#include <QSize>
#include <QString>

#include "ui/diagrams/CLynxGraphModel.h"

namespace MvQARN {

struct SLynxConnection {
    struct Link {
        QString name;
        CLynxGraphPath::EKind kind = CLynxGraphPath::Line;
        double level = 0.5;     // height of the path as a share of the box height
        bool towardsDut = true; // the box sends on it
        QString pin;            // connector pin, written small at the box end
    };

    bool iqToBox = true; // "IQ Data" runs from the instrument to the box
    QString instrumentPort;
    QString boxPort;
    QList<Link> links;      // from the top down
    double dutGapShare = 1; // width of the gap to the DUT relative to the gap to the instrument
    bool reference = false; // a path from instrumentPort to boxPort under the boxes
    QString referenceName;
    QString referenceLabel;
    QColor referenceColor;
};

// Names of the three boxes.
QString lynxInstrumentName();
QString lynxBoxName();
QString lynxDutName();

CLynxGraphModel layoutLynxConnection(const SLynxConnection& c, const QSizeF& size, const QFont& font);
// The size at which every text fits at the diagram font.
QSize lynxConnectionSizeHint(const SLynxConnection& c, const QFont& font);

} // namespace MvQARN
