#pragma once
// The host main window's registry of file types, used by the host's file dialogs: each
// registration answers a handle (1, 2, ... in registration order) that file dialogs take.
#include <QList>
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct VGXFileType {
    int handle = 0;
    QString description; // "KOBRA User Defined Setting (*.lynx)"
    QString pattern;     // "*.lynx"
    bool flag = false;   // the host's text-file mark
    int owner = -1;      // id of the module that registered it, -1 for the host
};

class VGX_EXPORT VGXMain {
public:
    // Registers a file type; the same description and pattern registered twice gives two handles.
    static int registerFileType(const QString& description, const QString& pattern, bool flag);
    // Handle of the first type registered with this pattern; -1 when there is none.
    static int findFileTypeIndex(const QString& pattern);
    // The type of a handle; null for an unknown handle.
    static const VGXFileType* fileType(int handle);
    static QList<VGXFileType> fileTypes();
    static void clearFileTypes();
};

} // namespace MvQARN
