#pragma once
// Base of the plug-in's dialogs: a host dialog that opens where the user last left it. The geometry
// is kept in the settings store under the dialog's caption when the dialog closes or goes away, and
// applied again when it is shown.
#include "host/gui/VGXDialog.h"

namespace MvQARN {

class VGX_EXPORT KobraDialog : public VGXDialog {
    Q_OBJECT
public:
    KobraDialog(int mode, const QString& name, const QString& title, int attributes);
    KobraDialog(const QString& name, int columnHint, int rowHint, int mode);
    KobraDialog(const QString& name, const QString& title, int columnHint, int rowHint);
    ~KobraDialog() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void savePosition();
    void loadPosition();
};

} // namespace MvQARN
