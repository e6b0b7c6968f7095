#include "tools/capture/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr mode_t fileMode = 0644;

}  // namespace

std::string partialPathOf(const std::string& path)
{
    return path + ".partial";
}

bool checkWritable(const std::string& path, std::string& error)
{
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        error = "cannot write " + path + ": " + (S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "not a plain file");
        return false;
    }
    const std::string partial = partialPathOf(path);
    const int file = open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, fileMode);
    if (file < 0) {
        error = cannotWrite(path);
        return false;
    }
    close(file);
    unlink(partial.c_str());
    return true;
}

bool hasEnding(const std::string& path, const std::string& ending)
{
    return path.size() >= ending.size() && path.compare(path.size() - ending.size(), ending.size(), ending) == 0;
}

std::string cannotWrite(const std::string& path)
{
    return "cannot write " + path + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool diskRoomFor(const std::string& path, DiskRoom& room, std::string& error)
{
    const std::string folder = folderOf(path);
    struct statvfs disk {};
    struct stat status {};
    if (statvfs(folder.c_str(), &disk) != 0 || stat(folder.c_str(), &status) != 0) {
        error = "cannot learn the free space for " + path + ": " + std::strerror(errno);
        return false;
    }
    room.device = status.st_dev;
    room.freeBytes = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
    return true;
}
