#include "imaging/ImageKinds.h"

#include <QStringList>

namespace sorvane {

bool IsImageFile(const QString& name) {
    static const QStringList endings = {QStringLiteral(".jpg"), QStringLiteral(".JPG"),
                                        QStringLiteral("JPEG"), QStringLiteral("jpeg"),
                                        QStringLiteral(".bmp"), QStringLiteral(".BMP"),
                                        QStringLiteral(".GIF"), QStringLiteral(".gif"),
                                        QStringLiteral(".PNG"), QStringLiteral(".png")};
    return endings.contains(name.right(4));
}

bool IsPngFile(const QString& name) {
    const QString ending = name.right(4);
    return ending == QStringLiteral(".png") || ending == QStringLiteral(".PNG");
}

} // namespace sorvane
