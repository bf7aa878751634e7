#include "sorting/FailureText.h"

#include "platform/NativeName.h"

#include <QCoreApplication>

namespace sorvane {

QString FailureReason(FileError error) {
    switch (error) {
    case FileError::DiskFull:
        return QCoreApplication::translate("FailureText", "ディスクの容量が足りません。");
    case FileError::Access:
        return QCoreApplication::translate("FailureText", "アクセスが拒否されました。");
    case FileError::PathNotFound:
        return QCoreApplication::translate("FailureText", "フォルダが見つかりません。");
    case FileError::FileNotFound:
        return QCoreApplication::translate("FailureText", "ファイルが見つかりません。");
    case FileError::NameTaken:
        return QCoreApplication::translate("FailureText", "同名のファイルがあります。");
    case FileError::NotTheSame:
        return QCoreApplication::translate("FailureText",
                                           "退避したファイルが別のファイルに替わっています。");
    default:
        return QCoreApplication::translate("FailureText", "ファイルを操作できませんでした。");
    }
}

QString SendFailedText(const QString& targetFolder, bool copied, FileError error) {
    const QString failed =
        copied ? QCoreApplication::translate("FailureText", "にコピーできませんでした。")
               : QCoreApplication::translate("FailureText", "に移動できませんでした。");
    return DisplayName(targetFolder) + failed + FailureReason(error);
}

QString SameNameQuestionText() {
    return QCoreApplication::translate("FailureText", "同名のファイルがあります移動しますか？");
}

QString UndoFailedText(FileError error) {
    return QCoreApplication::translate("FailureText", "元に戻せませんでした。") +
           FailureReason(error);
}

QString NotPutBackText(const QString& name, FileError error) {
    return DisplayName(name) +
           QCoreApplication::translate("FailureText", "を元に戻せませんでした。") +
           FailureReason(error);
}

QString KeptBesideText(const QString& name, const QString& keptAs) {
    return DisplayName(name) +
           QCoreApplication::translate("FailureText", "はゴミ箱に移せないため、") +
           DisplayName(keptAs) + QCoreApplication::translate("FailureText", "として残しました。");
}

QString JournalFailedText() {
    return QCoreApplication::translate("sorvane::FailureText",
                                       "送りの履歴を書き込めませんでした。");
}

} // namespace sorvane
