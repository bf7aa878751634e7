#include "sorting/FailureText.h"

#include "platform/NativeName.h"

namespace sorvane {

QString FailureReason(FileError error) {
    switch (error) {
    case FileError::DiskFull:
        return QStringLiteral("ディスクの容量が足りません。");
    case FileError::Access:
        return QStringLiteral("アクセスが拒否されました。");
    case FileError::PathNotFound:
        return QStringLiteral("フォルダが見つかりません。");
    case FileError::FileNotFound:
        return QStringLiteral("ファイルが見つかりません。");
    case FileError::NameTaken:
        return QStringLiteral("同名のファイルがあります。");
    default:
        return QStringLiteral("ファイルを操作できませんでした。");
    }
}

QString SendFailedText(const QString& targetFolder, bool copied, FileError error) {
    const QString failed = copied ? QStringLiteral("にコピーできませんでした。")
                                  : QStringLiteral("に移動できませんでした。");
    return DisplayName(targetFolder) + failed + FailureReason(error);
}

QString UndoFailedText(FileError error) {
    return QStringLiteral("元に戻せませんでした。") + FailureReason(error);
}

} // namespace sorvane
