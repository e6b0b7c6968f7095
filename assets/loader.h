// The show's pictures, decoded from the blocks compiled into the program,
// each becoming a texture with its record. The splash needs only its own
// picture: the others are decoded while it shows (assets/picture_decoding.h)
// and uploaded between its frames by the thread that draws.
#pragma once

#include <string>
#include <vector>

#include "assets/media_list.h"
#include "assets/media_table.h"
#include "assets/texture_store.h"

// One record per picture, named as in the picture list (handoverCard,
// singerMouthOpen, ...); picture N has textureIndex N - 1.
#define SLEIGHRIDE_DECLARE_IMAGE(name, width, height, format) extern ImageRef name;
SLEIGHRIDE_PICTURES(SLEIGHRIDE_DECLARE_IMAGE)
#undef SLEIGHRIDE_DECLARE_IMAGE

// Picture number's block decoded into into's texels (spare holds pictures
// that cannot be stretched in place); both keep their memory for the next
// picture. Returns why it does not decode, or an empty string.
std::string decodeInto(MediaBlock block, TexturePixels& into, std::vector<std::uint32_t>& spare);

// The same, where a picture that does not decode ends the program with a
// message naming it.
void decodePicture(int number, MediaBlock block, TexturePixels& into);

// Starts loading: every picture gets its texture name in table order and
// the first one (a record above) is loaded at once; the others are decoded
// from the first upload on. Needs a current OpenGL
// context and an empty store; call once.
void startLoadingPictures(const ImageRef& first);

// Uploads the pictures decoded since the last call and leaves texture 0
// bound. Returns whether every picture is loaded. A picture that did not
// decode ends the program with a message naming it.
bool uploadDecodedPictures();

// Waits for the rest and uploads them.
void finishLoadingPictures();

// All of it at once, before anything is drawn.
void loadPictures();
