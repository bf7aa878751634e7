#include "folders/FolderMessages.h"

#include <QCoreApplication>

namespace sorvane {

QString MakeFolderFailureText(MakeFolderResult result) {
    switch (result) {
    case MakeFolderResult::Made:
        return {};
    case MakeFolderResult::NoName:
        return QCoreApplication::translate("FolderMessages", "フォルダ名を入力してください。");
    case MakeFolderResult::DotName:
        return QCoreApplication::translate("FolderMessages", ". と .. はフォルダ名に使えません。");
    case MakeFolderResult::ParentMissing:
        return QCoreApplication::translate("FolderMessages",
                                           "一度に複階層のフォルダを作成することは出来ません。");
    case MakeFolderResult::AlreadyExists:
        return QCoreApplication::translate(
            "FolderMessages", "同じ名前のフォルダかファイルがあるので作成できません。");
    case MakeFolderResult::NameTooLong:
        return QCoreApplication::translate("FolderMessages",
                                           "フォルダ名が長すぎるので作成できません。");
    case MakeFolderResult::InvalidName:
        return QCoreApplication::translate(
            "FolderMessages", "このドライブでは使えない文字がフォルダ名にあるので作成できません。");
    case MakeFolderResult::NotWritable:
        return QCoreApplication::translate(
            "FolderMessages", "書き込みできない場所なので、フォルダを作成できません。");
    case MakeFolderResult::DiskFull:
        return QCoreApplication::translate("FolderMessages",
                                           "ドライブに空きがないので、フォルダを作成できません。");
    case MakeFolderResult::Other:
        break;
    }
    return QCoreApplication::translate("FolderMessages", "フォルダの作成に失敗しました。");
}

QString RemoveFolderFailureText(RemoveFolderResult result) {
    switch (result) {
    case RemoveFolderResult::Removed:
        return {};
    case RemoveFolderResult::Root:
        return QCoreApplication::translate("FolderMessages", "ルートフォルダは削除できません。");
    case RemoveFolderResult::MountPoint:
        return QCoreApplication::translate(
            "FolderMessages", "ドライブがマウントされているフォルダなので削除できません。");
    case RemoveFolderResult::HoldsFolders:
        return QCoreApplication::translate("FolderMessages",
                                           "下位下層にフォルダがあるので削除できません。");
    case RemoveFolderResult::HoldsFiles:
        return QCoreApplication::translate("FolderMessages",
                                           "フォルダにファイルがあるので削除できません。");
    case RemoveFolderResult::HoldsHidden:
        return QCoreApplication::translate("FolderMessages",
                                           "フォルダに隠しファイルがあるので削除できません。");
    case RemoveFolderResult::NotWritable:
        return QCoreApplication::translate(
            "FolderMessages", "書き込みできない場所なので、フォルダを削除できません。");
    case RemoveFolderResult::Missing:
        return QCoreApplication::translate("FolderMessages",
                                           "フォルダが見つからないので削除できません。");
    case RemoveFolderResult::Other:
        break;
    }
    return QCoreApplication::translate("FolderMessages", "フォルダの削除に失敗しました。");
}

QString BulkDeleteRefusalText(BulkDeleteRefusal refusal, const QString& folder) {
    switch (refusal) {
    case BulkDeleteRefusal::None:
        return {};
    case BulkDeleteRefusal::NotSet:
        return QCoreApplication::translate(
            "FolderMessages", "一括削除するフォルダが決まっていません。ファイル削除ボタンで確定し"
                              "てください。");
    case BulkDeleteRefusal::Root:
        return QCoreApplication::translate("FolderMessages",
                                           "ルートフォルダのファイルは一括削除できません。");
    case BulkDeleteRefusal::Home:
        return QCoreApplication::translate("FolderMessages",
                                           "ホームフォルダのファイルは一括削除できません。");
    case BulkDeleteRefusal::ProgramFolder:
        return QCoreApplication::translate("FolderMessages",
                                           "プログラムのフォルダのファイルは一括削除できません。");
    case BulkDeleteRefusal::CannotOpen:
        return folder + QCoreApplication::translate("FolderMessages",
                                                    "フォルダを開けないので、一括削除できません。");
    case BulkDeleteRefusal::SymbolicLink:
        return folder +
               QCoreApplication::translate(
                   "FolderMessages", "フォルダはシンボリックリンクなので、一括削除できません。");
    case BulkDeleteRefusal::NotAFolder:
        break;
    }
    return folder + QCoreApplication::translate("FolderMessages",
                                                "フォルダが見つからないので、一括削除できません。");
}

} // namespace sorvane
