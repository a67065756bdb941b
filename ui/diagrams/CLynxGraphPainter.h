#pragma once
// Draws a block diagram model with a QPainter. Nothing is computed here beyond the outline of an
// arrow: every position comes from the model.
#include <QFont>

class QPainter;
class QPalette;

namespace MvQARN {

struct CLynxGraphModel;

// The font of port names, pin names and other small texts: the diagram font at point size 7.
QFont lynxGraphSmallFont(const QFont& font);

void paintLynxGraph(QPainter& painter, const CLynxGraphModel& model, const QFont& font,
                    const QPalette& palette);

} // namespace MvQARN
