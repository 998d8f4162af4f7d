#include "settingshome.h"

#include "qtfiles.h"
#include "settingsformat.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace horaloom {

namespace {

std::string problem(const std::string& path, int error)
{
    return path + ": " + std::strerror(error);
}

// rename() that never replaces: renameat2's RENAME_NOREPLACE, and on a file system without it
// a check first (the remaining window is the one the old shell launcher had too).
int renameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    if (entryExists(to)) {
        return EEXIST;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::strerror(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::string dateStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    }
    return text;
}

} // namespace

std::string homeDirectory()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string xdgDirectory(const char* value, const std::string& home, std::string_view fallback)
{
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    return home + '/' + std::string(fallback);
}

std::string makeDirectories(const std::string& directory)
{
    std::size_t slash = 0;
    do {
        slash = directory.find('/', slash + 1);
        const std::string part = directory.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) == 0) {
            continue;
        }
        if (errno != EEXIST) {
            return problem(part, errno);
        }
        // Something is there: a directory (or a link to one) is what we want.
        struct stat status {};
        if (::stat(part.c_str(), &status) != 0) {
            return problem(part, errno);
        }
        if (!S_ISDIR(status.st_mode)) {
            return part + ": it is not a directory";
        }
    } while (slash != std::string::npos);
    return {};
}

bool entryExists(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool isSymbolicLink(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

std::string entryIdentity(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return {};
    }
    return std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino) + ':' +
           std::to_string(status.st_size) + ':' + std::to_string(status.st_ctim.tv_sec) + '.' +
           std::to_string(status.st_ctim.tv_nsec);
}

std::string placeNewFile(const std::string& path, std::string_view bytes)
{
    const std::size_t slash = path.rfind('/');
    const std::string partial =
        path.substr(0, slash + 1) + '.' + path.substr(slash + 1) + '.' + std::to_string(::getpid());
    // A leftover of this process id is from a launcher that died: nobody else writes it.
    ::unlink(partial.c_str());
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return problem(partial, errno);
    }
    std::string error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error.empty()) {
        error = std::strerror(errno);
    }
    if (!error.empty()) {
        ::unlink(partial.c_str());
        return partial + ": " + error;
    }
    // A hard link fails rather than replace a file another launcher put there meanwhile; on a
    // file system without hard links, a rename that does not replace does the same.
    int linked = ::link(partial.c_str(), path.c_str()) == 0 ? 0 : errno;
    if (linked != 0 && linked != EEXIST) {
        linked = renameNoReplace(partial, path);
    }
    ::unlink(partial.c_str());
    if (linked != 0 && linked != EEXIST) {
        return problem(path, linked);
    }
    return {};
}

std::string moveEntry(const std::string& from, const std::string& to)
{
    const int moved = renameNoReplace(from, to);
    if (moved == 0) {
        return {};
    }
    if (moved != EXDEV) {
        return problem(to, moved);
    }
    // On another file system: a copy of a regular file, and the original goes only once the
    // copy is in place. Anything else stays where it is.
    QtFiles files;
    const FileContents contents = files.readSmallFile(from, SettingsMaxBytes);
    if (!contents.bytes) {
        return from + ": " + contents.error;
    }
    if (std::string error = placeNewFile(to, *contents.bytes); !error.empty()) {
        return error;
    }
    if (::unlink(from.c_str()) != 0) {
        return problem(from, errno);
    }
    return {};
}

std::string moveAside(const std::string& path, std::string& error)
{
    const std::string stem = path + ".unreadable-" + dateStamp();
    for (int count = 1; count <= 100; ++count) {
        const std::string aside = count == 1 ? stem : stem + '-' + std::to_string(count);
        const int moved = renameNoReplace(path, aside);
        if (moved == 0) {
            return aside;
        }
        if (moved != EEXIST) {
            error = problem(path, moved);
            return {};
        }
    }
    error = path + ": no free name to move it aside to";
    return {};
}

} // namespace horaloom
