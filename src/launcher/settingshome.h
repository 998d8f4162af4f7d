// The per-user settings directory the launcher gives Horaloom, and the few file operations it
// needs there. POSIX only; none of them ever replaces or deletes a file of the user's.
#pragma once

#include <string>
#include <string_view>

namespace horaloom {

// The user's home: $HOME, else the password database; empty when neither knows.
std::string homeDirectory();

// An XDG base directory: the variable's value when it is an absolute path (the XDG rule: an
// unset, empty or relative value counts as unset), else home + fallback.
std::string xdgDirectory(const char* value, const std::string& home, std::string_view fallback);

// Makes the directory and any missing parent, 0700 as XDG asks. Returns an empty text, or why
// it cannot be had, as "path: problem".
std::string makeDirectories(const std::string& directory);

// Whether anything is at the path: a dangling symbolic link counts.
bool entryExists(const std::string& path);
bool isSymbolicLink(const std::string& path);
// Which entry is at the path (device, inode, size, change time) as a text to compare, so that a
// file another launcher put there in the meantime is not taken for the one examined.
std::string entryIdentity(const std::string& path);

// Puts a new file with these bytes at the path, written under a temporary name first so that
// Horaloom never reads half a file. A file that appears there meanwhile stays and wins.
// Returns an empty text, or why it failed.
std::string placeNewFile(const std::string& path, std::string_view bytes);

// Moves the entry at from to the free path to (across file systems too, for a regular file).
// Returns an empty text, or why it stayed.
std::string moveEntry(const std::string& from, const std::string& to);

// Renames the entry at path to a dated name beside it (path.unreadable-YYYYMMDD-HHMMSS, with a
// count added when that is taken). Returns the new path, or empty with why in error.
std::string moveAside(const std::string& path, std::string& error);

} // namespace horaloom
