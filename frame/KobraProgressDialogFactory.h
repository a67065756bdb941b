#pragma once
// Creation hook of the progress dialog: the module creates its progress dialog through this pointer
// in initusGui. The progress service sets it from its own static initialisation; while it is null
// the module has no progress dialog.
class QDialog;
class QWidget;

namespace Kobra {

using ProgressDialogFactory = QDialog* (*)(QWidget* parent);
extern ProgressDialogFactory createProgressDialog;

} // namespace Kobra
