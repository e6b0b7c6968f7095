// Output that appears whole or not at all: a file is written under a
// temporary name beside its own and renamed once complete.
#pragma once

#include <cstdint>
#include <string>

// What a file being written is called until it is complete.
std::string partialPathOf(const std::string& path);

// Whether path can be written as a file, learnt before any work: it is not
// a folder (nor anything else that is not a file), and its partial file can
// be created (and is removed again). False, with why in error, if not.
bool checkWritable(const std::string& path, std::string& error);

// Room for files: the file system holding a path's folder, and the bytes
// free on it for an ordinary user. False, with why in error, if it cannot
// be learnt.
struct DiskRoom {
    std::uint64_t device = 0;
    std::uint64_t freeBytes = 0;
};
bool diskRoomFor(const std::string& path, DiskRoom& room, std::string& error);

// The folder a path's file goes in: "." for a bare name.
std::string folderOf(const std::string& path);

// Whether path ends in ending, as ".mp4".
bool hasEnding(const std::string& path, const std::string& ending);

// "cannot write PATH: REASON" for the current errno.
std::string cannotWrite(const std::string& path);
