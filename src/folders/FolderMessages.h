#pragma once

#include "platform/FolderActions.h"

#include <QString>

namespace sorvane {

// What the folder setup window says when a folder could not be made or
// removed: each cause by its own name, so the user knows what to change.
// Empty for success.
QString MakeFolderFailureText(MakeFolderResult result);
QString RemoveFolderFailureText(RemoveFolderResult result);

// Why the bulk-delete folder is not emptied; empty when it may be.
QString BulkDeleteRefusalText(BulkDeleteRefusal refusal, const QString& folder);

} // namespace sorvane
