#pragma once
// The check and conversion function objects of the catalogue and their binding to the records by
// parameter name, made during static initialisation of the library.
#include <QByteArray>
#include <QList>

namespace Kobra {

// Parameter names whose binding of a check or conversion object was refused (empty when the
// catalogue took every object).
QList<QByteArray> checkConvBindingRefusals();

} // namespace Kobra
