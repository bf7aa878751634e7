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
    Other,
};

} // namespace sorvane
