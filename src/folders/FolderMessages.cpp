#include "folders/FolderMessages.h"

namespace sorvane {

QString MakeFolderFailureText(MakeFolderResult result) {
    switch (result) {
    case MakeFolderResult::Made:
        return {};
    case MakeFolderResult::NoName:
        return QStringLiteral("フォルダ名を入力してください。");
    case MakeFolderResult::DotName:
        return QStringLiteral(". と .. はフォルダ名に使えません。");
    case MakeFolderResult::ParentMissing:
        return QStringLiteral("一度に複階層のフォルダを作成することは出来ません。");
    case MakeFolderResult::AlreadyExists:
        return QStringLiteral("同じ名前のフォルダかファイルがあるので作成できません。");
    case MakeFolderResult::NameTooLong:
        return QStringLiteral("フォルダ名が長すぎるので作成できません。");
    case MakeFolderResult::InvalidName:
        return QStringLiteral("このドライブでは使えない文字がフォルダ名にあるので作成できません。");
    case MakeFolderResult::NotWritable:
        return QStringLiteral("書き込みできない場所なので、フォルダを作成できません。");
    case MakeFolderResult::DiskFull:
        return QStringLiteral("ドライブに空きがないので、フォルダを作成できません。");
    case MakeFolderResult::Other:
        break;
    }
    return QStringLiteral("フォルダの作成に失敗しました。");
}

QString RemoveFolderFailureText(RemoveFolderResult result) {
    switch (result) {
    case RemoveFolderResult::Removed:
        return {};
    case RemoveFolderResult::Root:
        return QStringLiteral("ルートフォルダは削除できません。");
    case RemoveFolderResult::MountPoint:
        return QStringLiteral("ドライブがマウントされているフォルダなので削除できません。");
    case RemoveFolderResult::HoldsFolders:
        return QStringLiteral("下位下層にフォルダがあるので削除できません。");
    case RemoveFolderResult::HoldsFiles:
        return QStringLiteral("フォルダにファイルがあるので削除できません。");
    case RemoveFolderResult::HoldsHidden:
        return QStringLiteral("フォルダに隠しファイルがあるので削除できません。");
    case RemoveFolderResult::NotWritable:
        return QStringLiteral("書き込みできない場所なので、フォルダを削除できません。");
    case RemoveFolderResult::Missing:
        return QStringLiteral("フォルダが見つからないので削除できません。");
    case RemoveFolderResult::Other:
        break;
    }
    return QStringLiteral("フォルダの削除に失敗しました。");
}

QString BulkDeleteRefusalText(BulkDeleteRefusal refusal, const QString& folder) {
    switch (refusal) {
    case BulkDeleteRefusal::None:
        return {};
    case BulkDeleteRefusal::NotSet:
        return QStringLiteral("一括削除するフォルダが決まっていません。ファイル削除ボタンで確定し"
                              "てください。");
    case BulkDeleteRefusal::Root:
        return QStringLiteral("ルートフォルダのファイルは一括削除できません。");
    case BulkDeleteRefusal::Home:
        return QStringLiteral("ホームフォルダのファイルは一括削除できません。");
    case BulkDeleteRefusal::ProgramFolder:
        return QStringLiteral("プログラムのフォルダのファイルは一括削除できません。");
    case BulkDeleteRefusal::CannotOpen:
        return folder + QStringLiteral("フォルダを開けないので、一括削除できません。");
    case BulkDeleteRefusal::SymbolicLink:
        return folder + QStringLiteral("フォルダはシンボリックリンクなので、一括削除できません。");
    case BulkDeleteRefusal::NotAFolder:
        break;
    }
    return folder + QStringLiteral("フォルダが見つからないので、一括削除できません。");
}

} // namespace sorvane
