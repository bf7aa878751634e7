#include "folders/FolderMessages.h"

namespace sorvane {

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
    case BulkDeleteRefusal::NotAFolder:
        break;
    }
    return folder + QStringLiteral("フォルダが見つからないので、一括削除できません。");
}

} // namespace sorvane
