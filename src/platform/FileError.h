#pragma once

namespace sorvane {

// The kinds of failure that the windows tell apart when they touch a file.
enum class FileError {
    None,
    InvalidPicture, // the reader cannot decode the file
    PathNotFound,   // a folder in the path does not exist
    FileNotFound,   // the file is missing in an existing folder
    Access,         // refused: no permission, not empty, busy
    CrossDevice,    // a rename between two file systems
    DiskFull,       // the file does not fit: disk or quota full, or past the file system's size
    NameTaken,      // another file already has the name
    NotTheSame,     // another file now has the name this program put a file under
    Other,
};

} // namespace sorvane
