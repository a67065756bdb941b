#pragma once
// Host utility functions available to every module.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <type_traits>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXAnchorInterface;
class VGXPlugInDllModuleInterface;

class VGX_EXPORT VGXUtility {
public:
    // Lifecycle trace line; the host prints it when tracing is on.
    static void traceMessage(const QString& text);
    // The host's instrument family code (0x10000 by default).
    static int getSigGenFamily();
    // The loadable module with this id, or null when the host has none.
    static VGXPlugInDllModuleInterface* getLoadableInterface(int moduleId);
    static VGXAnchorInterface* getAnchorInterface();
    // Concatenates the texts of the arguments (numbers in decimal).
    static QString buildString(const QVariantList& parts);
    template <typename... Args> static QString buildString(const Args&... args) {
        return buildString(QVariantList{buildStringPart(args)...});
    }

private:
    // Character strings travel as text (a QVariant of a char pointer would print nothing).
    template <typename T> static QVariant buildStringPart(const T& v) {
        if constexpr (std::is_convertible_v<const T&, const char*>) {
            const char* p = v;
            return QVariant(QString::fromUtf8(p ? p : ""));
        } else if constexpr (std::is_same_v<T, QByteArray>) {
            return QVariant(QString::fromUtf8(v));
        } else {
            return QVariant::fromValue(v);
        }
    }
};

// The folder where user documents go: the host's settings folder when one is set, else the
// platform's documents folder. Modules use it instead of asking QStandardPaths directly.
VGX_EXPORT QString vgxDocumentsPath();

// The absolute path of a file name a user gave, inside the folder dir; empty when the name is refused:
// empty, holding a backslash, a control character, a drive letter or a ".." part, or leading out of
// the folder, also through a link inside it. Names are trimmed; an absolute name inside the folder
// stays as it is.
VGX_EXPORT QString vgxPathInFolder(const QString& dir, const QString& name);

} // namespace MvQARN
