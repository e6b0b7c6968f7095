// Output that appears whole or not at all: a file is written under a
// temporary name beside its own and renamed once complete.
#pragma once

#include <string>

// What a file being written is called until it is complete.
std::string partialPathOf(const std::string& path);

// Whether path can be written, learnt before any work by creating its
// partial file and removing it again. False, with why in error, if not.
bool checkWritable(const std::string& path, std::string& error);

// Whether path ends in ending, as ".mp4".
bool hasEnding(const std::string& path, const std::string& ending);

// "cannot write PATH: REASON" for the current errno.
std::string cannotWrite(const std::string& path);
