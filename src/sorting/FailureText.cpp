#include "sorting/FailureText.h"

#include "platform/NativeName.h"

#include <QCoreApplication>

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
    case FileError::NotTheSame:
        return QStringLiteral("退避したファイルが別のファイルに替わっています。");
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

QString NotPutBackText(const QString& name, FileError error) {
    return DisplayName(name) + QStringLiteral("を元に戻せませんでした。") + FailureReason(error);
}

QString KeptBesideText(const QString& name, const QString& keptAs) {
    return DisplayName(name) + QStringLiteral("はゴミ箱に移せないため、") + DisplayName(keptAs) +
           QStringLiteral("として残しました。");
}

QString JournalFailedText() {
    return QCoreApplication::translate("sorvane::FailureText",
                                       "送りの履歴を書き込めませんでした。");
}

} // namespace sorvane
