#pragma once
// Display texts of the catalogue's selections. The definition records carry only identifiers;
// dialogs, block diagrams and remote control show these texts for them.
#include <QList>
#include <QPair>
#include <QString>

namespace Kobra {

// Text of one identifier of the named selection; empty when the identifier or the parameter has
// no text (OFF/ON states answer "OFF" and "ON").
QString choiceText(const char* name, int id);

// Identifiers with their texts in the order the parameter offers them; identifiers the parameter
// does not offer never appear. Empty for parameters without texts.
QList<QPair<int, QString>> choices(const char* name);

} // namespace Kobra
