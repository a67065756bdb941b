#include "host/util/VGXSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

bool fail(QString* why, const QString& text) {
    if (why)
        *why = text;
    return false;
}

VGXSafeFile::Result failWith(QString* why, VGXSafeFile::Result r, const QString& text) {
    fail(why, text);
    return r;
}

QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// Why a write stopped, in words a user acts on: the system's own text for a full disk ("File too
// large" for a file size limit) does not say that freeing space or choosing another disk helps.
QString writeError(int err) {
    if (err == ENOSPC || err == EDQUOT || err == EFBIG)
        return QStringLiteral("no room for the file on the disk (%1)").arg(systemError(err));
    return systemError(err);
}

// Closes a descriptor on every path out of a function unless released.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void reset(int fd) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Opens path for reading without following a link in its last component and without waiting: a FIFO
// opened for reading would wait for a writer, and some devices wait for a carrier.
VGXSafeFile::Result openFd(const QString& path, Fd& out, QString* why) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return failWith(why, VGXSafeFile::Missing, QStringLiteral("no file name"));
    // A device is refused before it is opened: opening some of them has effects of its own.
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return failWith(why, errno == ENOENT || errno == ENOTDIR ? VGXSafeFile::Missing : VGXSafeFile::Failed,
                        systemError(errno));
    if (!S_ISREG(st.st_mode))
        return failWith(why, VGXSafeFile::NotRegular, QStringLiteral("not a regular file"));
    int fd = -1;
    do
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failWith(why,
                        errno == ENOENT  ? VGXSafeFile::Missing
                        : errno == ELOOP ? VGXSafeFile::NotRegular
                                         : VGXSafeFile::Failed,
                        errno == ELOOP ? QStringLiteral("not a regular file") : systemError(errno));
    Fd guard(fd);
    // The name may have been swapped between the look and the open; what was opened counts.
    if (::fstat(fd, &st) != 0)
        return failWith(why, VGXSafeFile::Failed, systemError(errno));
    if (!S_ISREG(st.st_mode))
        return failWith(why, VGXSafeFile::NotRegular, QStringLiteral("not a regular file"));
    // Regular files never block; reads go back to the ordinary mode.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    out.reset(guard.release());
    return VGXSafeFile::Ok;
}

bool writeAll(int fd, const char* data, qint64 size, int& err) {
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : EIO;
            return false;
        }
        done += n;
    }
    return true;
}

bool plainCharacters(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.trimmed() != name)
        return false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        // C0 and C1 controls, DEL, and the Unicode line and paragraph separators all end a line for
        // some client.
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029)
            return false;
        if (u == '/' || u == '\\' || u == 0xFFFD)
            return false;
    }
    // A name the file system holds in another encoding could not be sent back to open it.
    return QFile::decodeName(QFile::encodeName(name)) == name;
}

} // namespace

VGXSafeFile::Result VGXSafeFile::openRegular(QFile& file, const QString& path, QString* why,
                                             bool unbuffered) {
    Fd fd;
    const Result r = openFd(path, fd, why);
    if (r != Ok)
        return r;
    QIODevice::OpenMode mode = QIODevice::ReadOnly;
    if (unbuffered)
        mode |= QIODevice::Unbuffered;
    if (!file.open(fd.get(), mode, QFileDevice::AutoCloseHandle))
        return failWith(why, Failed, file.errorString());
    fd.release();
    return Ok;
}

VGXSafeFile::Result VGXSafeFile::readRegular(const QString& path, qint64 maxBytes, QByteArray& out,
                                             QString* why) {
    out.clear();
    Fd fd;
    const Result r = openFd(path, fd, why);
    if (r != Ok)
        return r;
    // The size a file reports is not trusted: it may grow while it is read.
    QByteArray data;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failWith(why, Failed, systemError(errno));
        if (n == 0)
            break;
        if (data.size() + n > maxBytes)
            return failWith(why, TooLarge, QStringLiteral("the file is too large"));
        data.append(buffer, n);
    }
    out = data;
    return Ok;
}

VGXSafeFile::Result
VGXSafeFile::writeReplacing(const QString& path, const QByteArray& data, QString* why,
                            const std::function<bool(const QByteArray& head)>& mayReplace) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!isListableName(name))
        return failWith(why, Refused, QStringLiteral("file name refused"));
    const QString folder = info.absolutePath();
    QDir().mkpath(folder);
    // The folder itself is the caller's choice; everything below happens relative to it.
    Fd dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return failWith(why, Failed, systemError(errno));
    const QByteArray target = QFile::encodeName(name);

    struct stat st {};
    bool exists = false;
    if (::fstatat(dir.get(), target.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        exists = true;
        if (!S_ISREG(st.st_mode))
            return failWith(why, Refused, QStringLiteral("%1 is not a regular file").arg(name));
        if (mayReplace) {
            QFile old;
            if (openRegular(old, folder + QLatin1Char('/') + name, why) != Ok)
                return Refused;
            if (!mayReplace(old.read(4096)))
                return failWith(why, Refused, QStringLiteral("%1 is a file of another kind").arg(name));
        }
    } else if (errno != ENOENT) {
        return failWith(why, Failed, systemError(errno));
    }

    // O_EXCL: a link planted under the temporary name is not followed, the name is tried again.
    QByteArray temp;
    Fd out;
    for (int attempt = 0; attempt < 16 && out.get() < 0; ++attempt) {
        temp = '.' + target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        const int fd =
            ::openat(dir.get(), temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            out.reset(fd);
        else if (errno != EEXIST)
            return failWith(why, Failed, systemError(errno));
    }
    if (out.get() < 0)
        return failWith(why, Failed, QStringLiteral("no temporary file"));
    auto dropTemp = [&](int err) {
        ::unlinkat(dir.get(), temp.constData(), 0);
        return failWith(why, Failed, writeError(err));
    };
    if (exists)
        ::fchmod(out.get(), st.st_mode & 07777);
    int err = 0;
    if (!writeAll(out.get(), data.constData(), data.size(), err))
        return dropTemp(err);
    if (::fsync(out.get()) != 0)
        return dropTemp(errno);
    if (::close(out.release()) != 0)
        return dropTemp(errno);
    // rename replaces a link at the target instead of writing through it.
    if (::renameat(dir.get(), temp.constData(), dir.get(), target.constData()) != 0)
        return dropTemp(errno);
    return Ok;
}

QString VGXSafeFile::fileInFolder(const QString& folder, const QString& name, const QString& suffix) {
    QString full = vgxPathInFolder(folder, name);
    if (full.isEmpty())
        return QString();
    const QFileInfo info(full);
    // Sub-folders are not offered by any catalogue, so no name may reach into one.
    if (info.absolutePath() != QDir(folder).absolutePath() || !isPlainName(info.fileName()))
        return QString();
    if (info.suffix().isEmpty())
        full += QLatin1Char('.') + suffix;
    else if (info.suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        return QString();
    return full;
}

bool VGXSafeFile::isPlainName(const QString& name) {
    return plainCharacters(name) && !name.startsWith(QLatin1Char('.'));
}

bool VGXSafeFile::isListableName(const QString& name) {
    return plainCharacters(name);
}

} // namespace MvQARN
