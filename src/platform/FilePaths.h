// What a path names and replacing one file by another, as an export needs to
// know before and after it writes. POSIX: stat, readlink, rename; Windows:
// GetFileAttributes, file ids, MoveFileEx. Names are in the ANSI code page.
#pragma once

#include <string>

namespace tavir {

enum class PathKind { Missing, RegularFile, Directory, Other };

// What the path names, symbolic links followed; Other is a pipe or a device.
PathKind KindOfPath(const std::string& path);

// The path a symbolic link, or a chain of them, finally names (a link text
// that is relative counts from the link's folder); the path itself when it
// is no link.
std::string FollowLinks(const std::string& path);

// The process may write the existing file (it is not read-only to it).
bool CanWriteFile(const std::string& path);

// Both paths name one existing file (through links too).
bool IsSameFile(const std::string& first, const std::string& second);

// Puts the file `from` in the place of `to` in one step: `to` is never
// missing in between. The new file gets the permissions of the one it
// replaces. False with the system's text on failure.
bool MoveFileOver(const std::string& from, const std::string& to, std::string& errorText);

// Removes a file; a failure is of no interest to the caller.
void RemoveFileQuietly(const std::string& path);

}  // namespace tavir
