#pragma once
// Files whose names come from users or remote clients, who may be hostile: a name can point at a
// link, a FIFO, a device or a file of another kind. Reading opens only regular files, never blocks
// and reads a bounded amount; writing goes to a temporary file beside the target that is renamed
// into place, and neither step follows a link.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>

#include "host/util/VGXExport.h"

class QFile;

namespace MvQARN {

class VGX_EXPORT VGXSafeFile {
public:
    enum Result {
        Ok,
        Missing,    // no such file
        NotRegular, // a link, FIFO, device, socket or folder
        TooLarge,   // more than the bound
        Refused,    // the name, or the file already there, may not be written
        Failed      // any other system error; the text says which
    };

    // Opens path for reading into file (which then owns the descriptor). The last component must be a
    // regular file, not a link; opening never waits for a writer or a device.
    static Result openRegular(QFile& file, const QString& path, QString* why = nullptr,
                              bool unbuffered = false);
    // Reads a whole regular file of at most maxBytes; a longer one is TooLarge and out stays empty.
    static Result readRegular(const QString& path, qint64 maxBytes, QByteArray& out, QString* why = nullptr);

    // Writes data as the file path: a temporary file in the same folder, then a rename. A link, a
    // non-regular file or (when mayReplace is given and says no) a regular file already at path is
    // left alone and the write is Refused. The folder is made when missing.
    static Result writeReplacing(const QString& path, const QByteArray& data, QString* why = nullptr,
                                 const std::function<bool(const QByteArray& head)>& mayReplace = {});

    // Full path of the file a user named in folder: a plain name (see isPlainName), or the absolute
    // path of a file directly in folder, with the given suffix (added when the name has none). Empty
    // when the name is refused, a suffix of another kind included.
    static QString fileInFolder(const QString& folder, const QString& name, const QString& suffix);

    // A name that is a single path component a client can send and get back on one line: not empty,
    // not "." or "..", no '/' or '\\', no leading dot (temporary files), no control or line-breaking
    // character, no surrounding blanks, and one the file system stores as written.
    static bool isPlainName(const QString& name);
    // A name that can stand in a one-line list: as isPlainName, but a leading dot is allowed.
    static bool isListableName(const QString& name);
};

} // namespace MvQARN
