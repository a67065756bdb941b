#pragma once
// The host's non-modal file dialog of a dialog instance: a frame around Qt's non-native file
// dialog. The panel that opens it sets titles, start paths, the operation mode with the file
// parameter and the file type, then brings it to the front. A chosen file is written to the file
// parameter; a refusal shows on the dialog's status line and the dialog stays open.
#include <QString>

#include "host/gui/VGXDialog.h"
#include "host/gui/VGXUserDbAttributes.h"

class QFileDialog;

namespace MvQARN {

class VGXDatabaseConnectorEntry;

class VGX_EXPORT VGXFileDialog : public VGXDialog {
    Q_OBJECT
public:
    // The dialog of an instance (a dialog qualifier), made on first use and kept until closed for
    // good by the application.
    static VGXFileDialog* dialogFor(const QString& qualifier);

    explicit VGXFileDialog(const QString& qualifier = QString());
    ~VGXFileDialog() override;

    // The current file (selected when it exists) and the folder to start in when it does not.
    void setPaths(const QString& currentFile, const QString& folder);
    // mode: VGXUserFileDialog::EMode; the file parameter binds to the current instance for -1 indices.
    void setOperationMode(int mode, const VGXUserDbAttributes& fileParameter);
    int operationMode() const { return m_mode; }
    // A VGXMain file type handle, or an extra type given by description and pattern
    // ("Recorder File (*.wv)", "*.wv"), offered first.
    void setFileType(int fileTypeIndex, const QString& description = QString(),
                     const QString& pattern = QString());
    QStringList nameFilters() const;

    QFileDialog* fileDialog() const { return m_files; }
    // Writes the file as if the user chose it; answers 0 or the error.
    int choose(const QString& path);

signals:
    void fileChosen(const QString& path);

private:
    QFileDialog* m_files;
    int m_mode = 0;
    VGXDatabaseConnectorEntry* m_entry = nullptr;
};

} // namespace MvQARN
