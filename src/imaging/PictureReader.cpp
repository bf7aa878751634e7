#include "imaging/PictureReader.h"

#include "imaging/Fit.h"
#include "platform/FileOps.h"
#include "platform/NativeName.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

bool IsPlatformFormat(const QByteArray& format) {
    return format == "jpeg" || format == "bmp" || format == "gif";
}

// The most memory the platform's loader may take for one picture. A JPEG is
// decoded straight at (about) the box's size, so this only ever stops BMP
// and GIF files claiming tens of megapixels, or a JPEG claiming thousands;
// they are refused from their header, before anything is decoded. Set here
// rather than left to the toolkit's default, which its environment can lift;
// the limit holds for the whole process, so it is set once.
constexpr int kMostPictureMiB = 128;

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

    bool openIn(QFile& file) const {
        return fd_ >= 0 && file.open(fd_, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
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
    QFile file;
    if (!opened.openIn(file))
        return Failed(FileError::Access);
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    static const bool limited = (QImageReader::setAllocationLimit(kMostPictureMiB), true);
    Q_UNUSED(limited);
    if (!IsPlatformFormat(reader.format()))
        return Failed(FileError::InvalidPicture);
    // Only a decoder that reads at a chosen size (JPEG) is asked for the
    // box's size. Any other picture is read whole and its size is what was
    // read: a GIF's header size can be its first frame's while the picture
    // is the whole screen the frame stands on, and a reader told to scale
    // it would squeeze that screen into the frame's proportions.
    Picture picture;
    const bool atSize = reader.supportsOption(QImageIOHandler::ScaledSize);
    if (atSize && ShrinksToFit(reader.size(), box))
        reader.setScaledSize(FittedSize(reader.size(), box));
    if (!reader.read(&picture.image))
        return Failed(FileError::InvalidPicture);
    picture.naturalSize = atSize && reader.size().isValid() ? reader.size() : picture.image.size();
    if (!atSize && ShrinksToFit(picture.naturalSize, box))
        picture.image = picture.image.scaled(FittedSize(picture.naturalSize, box),
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

} // namespace sorvane
