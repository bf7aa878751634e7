#pragma once

#include "platform/FolderActions.h"

#include <QString>

namespace sorvane {

// Why the bulk-delete folder is not emptied; empty when it may be.
QString BulkDeleteRefusalText(BulkDeleteRefusal refusal, const QString& folder);

} // namespace sorvane
