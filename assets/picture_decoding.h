// How this build decodes the show's pictures: the desktop decodes them with
// libpng on worker threads while the splash shows (picture_decoding.cpp); a
// web page, which has no threads, decodes them between the splash's frames
// (web/picture_decoding.cpp). Either defines decodeInto (assets/loader.h)
// too.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "assets/texture_store.h"

// Decodes every picture but the one loaded first, in table order, holding
// only a few decoded pictures at a time, so memory stays bounded.
class PictureDecoders {
public:
    explicit PictureDecoders(int loadedFirst);
    ~PictureDecoders();

    PictureDecoders(const PictureDecoders&) = delete;
    PictureDecoders& operator=(const PictureDecoders&) = delete;

    // Picture number decoded into pixels, or why it did not decode; the
    // pixels may be taken over.
    using Upload = std::function<void(int number, TexturePixels& pixels, const std::string& error)>;

    // Hands each picture decoded since the last call to upload, on the
    // calling thread, waiting for the rest if wait. Returns whether every
    // picture has been handed over. Before a picture that did not decode is
    // handed over, the decoding stops.
    bool handOver(bool wait, const Upload& upload);

private:
    struct Work;
    std::unique_ptr<Work> work_;
};

// Gives the memory the decoding freed back to the system.
void releaseDecodingMemory();
