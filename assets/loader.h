// The show's pictures, decoded once at start-up from the blocks compiled
// into the program, each becoming a texture with its record.
#pragma once

#include "assets/media_list.h"
#include "assets/media_table.h"
#include "assets/texture_store.h"

// One record per picture, named as in the picture list (handoverCard,
// singerMouthOpen, ...); picture N has textureIndex N - 1.
#define SLEIGHRIDE_DECLARE_IMAGE(name, width, height, format) extern ImageRef name;
SLEIGHRIDE_PICTURES(SLEIGHRIDE_DECLARE_IMAGE)
#undef SLEIGHRIDE_DECLARE_IMAGE

// Picture number's block decoded; one that does not decode ends the program
// with a message naming the picture, rather than reach the conversion.
SDL_Surface* decodePicture(int number, MediaBlock block);

// Converts the pictures in table order. Needs a current OpenGL context. A
// picture that does not decode ends the program with a message.
void loadPictures();
