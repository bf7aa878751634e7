#pragma once

#include <QString>

namespace sorvane {

inline constexpr QChar PathSeparator = u'/';

// Folder + "/" + name, without doubling a separator the folder already ends with.
QString JoinPath(const QString& folder, const QString& name);

// The folder holding path: "/a/b" gives "/a"; "/a", "/" and a path without
// a separator give the root.
QString ParentFolder(const QString& path);

// The text after the last separator of a path (the whole path when it has none).
QString FileNameOf(const QString& path);

// Caption of a slot button: the last path component, or the whole path when
// that component is empty (as for the root "/") or there is no separator;
// as the screen shows it (DisplayName).
QString FolderButtonCaption(const QString& path);

} // namespace sorvane
