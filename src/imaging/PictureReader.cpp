#include "imaging/PictureReader.h"

#include "imaging/HeifReader.h"
#include "imaging/QtPictureReader.h"
#include "imaging/RawReader.h"
#include "platform/FileOps.h"
#include "platform/NativeName.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

Picture Failed(FileError error) {
    Picture picture;
    picture.error = error;
    return picture;
}

bool Exists(const QString& path) {
    struct stat st;
    return ::stat(ToNativeName(path).constData(), &st) == 0;
}

// The file opened by its own bytes (QFile would encode an escaped name into
// other bytes and open the wrong file, or none). The descriptor is closed
// here, not by Qt, so whoever opens it also closes it.
class OpenedFile {
public:
    explicit OpenedFile(const QString& path)
        : fd_(::open(ToNativeName(path).constData(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenedFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    int fd() const { return fd_; }
    bool openIn(QFile& file) const {
        return fd_ >= 0 && file.open(fd_, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    }
    // The first bytes, which tell the kinds of picture apart.
    QByteArray head() const {
        QByteArray bytes(64, '\0');
        const ssize_t got = ::pread(fd_, bytes.data(), size_t(bytes.size()), 0);
        bytes.truncate(got > 0 ? qsizetype(got) : 0);
        return bytes;
    }

private:
    int fd_;
};

} // namespace

Picture ReadPicture(const QString& path, QSize box) {
    if (!Exists(path))
        return Failed(MissingPathError(path));
    if (!IsRegularFile(path))
        return Failed(FileError::Other);
    const OpenedFile opened(path);
    if (opened.fd() < 0)
        return Failed(FileError::Access);
    // By content, never by name. Most camera raws are TIFF files inside, so
    // LibRaw is asked before Qt's TIFF reader gets them.
    const QByteArray head = opened.head();
    if (IsHeif(head))
        return ReadHeif(opened.fd(), box);
    if (MayBeCameraRaw(head))
        if (std::optional<Picture> raw = ReadCameraRaw(path, box))
            return *raw;
    QFile file;
    if (!opened.openIn(file))
        return Failed(FileError::Access);
    return ReadWithQt(file, box);
}

} // namespace sorvane
