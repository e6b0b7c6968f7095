#include "tools/capture/output_file.h"

#include <fcntl.h>
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
