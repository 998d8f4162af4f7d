#include "qtfiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace horaloom {

namespace {

QString qtPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

} // namespace

std::string QtFiles::currentDirectory()
{
    return QFile::encodeName(QDir::currentPath()).toStdString();
}

std::string QtFiles::pathIn(const std::string& directory, std::string_view name)
{
    if (directory.empty() || directory.back() == '/') {
        return directory + std::string(name);
    }
    return directory + '/' + std::string(name);
}

std::string QtFiles::displayName(const std::string& path)
{
    return QDir::toNativeSeparators(qtPath(path)).toStdString();
}

FileContents QtFiles::readSmallFile(const std::string& path, std::size_t limit)
{
    // Opened without blocking, so a FIFO or a device in the file's place cannot hang the
    // program; only a regular file (symbolic links followed) is read.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        return {std::nullopt, std::strerror(errno)};
    }
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) {
        return {std::nullopt, std::strerror(errno)};
    }
    if (S_ISDIR(status.st_mode)) {
        return {std::nullopt, "it is a directory"};
    }
    if (!S_ISREG(status.st_mode)) {
        return {std::nullopt, "it is not a regular file"};
    }
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {std::nullopt, std::strerror(errno)};
        }
        if (got == 0) {
            return {std::move(bytes), {}};
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > limit) {
            return {std::nullopt, "it is too large to be a settings file"};
        }
    }
}

std::string QtFiles::replaceFile(const std::string& path, std::string_view bytes)
{
    QSaveFile file(qtPath(path));
    // Writing in place could leave a half-written file behind; better to fail and keep the old.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a full disk shows in write() itself: Qt's commit() does not notice a flush
    // that failed inside its own close, and would rename the empty file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString().toStdString();
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason.toStdString();
    }
    if (!file.commit()) {
        return file.errorString().toStdString();
    }
    return {};
}

bool QtFiles::canRead(const std::string& path)
{
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat status {};
    // A directory opens for reading here, but is no file to play.
    return file.fd >= 0 && ::fstat(file.fd, &status) == 0 && !S_ISDIR(status.st_mode);
}

} // namespace horaloom
