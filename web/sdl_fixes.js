// Stands in for parts of emscripten's SDL 1.2 that the show's picture
// loading cannot use as they are:
// - SDL_FreeRW (and IMG_Load_RW freeing its stream): emscripten's drops the
//   trailing closed streams from its table down to and including the
//   reserved slot 0, so the next SDL_RWFromConstMem hands out stream 0,
//   which the show takes for a failure. Slot 0 stays reserved here.
// - IMG_Load_RW from memory: emscripten's decodes with stb_image, then puts
//   the pixels through a 2D canvas, which premultiplies alpha (the colour
//   under transparent pixels is lost, half-transparent ones are rounded)
//   and costs as much again as the decoding. Here stb_image's RGBA goes
//   straight into the surface's pixels.
// - SDL_BlitSurface between two surfaces in memory: emscripten's keeps
//   surfaces as 2D canvases and blits with drawImage, which fails for a
//   picture loaded once an OpenGL screen is open (it has pixels but no
//   canvas). Here the pixels are copied row by row, without blending, as
//   the show's loader asks (it turns SDL_SRCALPHA off first); anything
//   involving the screen still goes to emscripten's own blit.
mergeInto(LibraryManager.library, {
  SDL_FreeRW__deps: ['$SDL'],
  SDL_FreeRW: function(rwops) {
    SDL.rwops[rwops] = null;
    while (SDL.rwops.length > 1 && SDL.rwops[SDL.rwops.length - 1] === null) SDL.rwops.pop();
  },

  // stb_image's entry points are exported by the build (STB_IMAGE).
  IMG_Load_RW__deps: ['$SDL', 'SDL_FreeRW', 'malloc', 'free'],
  IMG_Load_RW: function(rwopsID, freeSrc) {
    var rw = SDL.rwops[rwopsID];
    if (!rw || rw.bytes === undefined) return 0;
    var RGBA = 4;
    var sizes = _malloc(12);
    var data = _stbi_load_from_memory(rw.bytes, rw.count, sizes, sizes + 4, sizes + 8, RGBA);
    var width = HEAP32[sizes >> 2], height = HEAP32[(sizes + 4) >> 2];
    _free(sizes);
    if (freeSrc) _SDL_FreeRW(rwopsID);
    if (!data) return 0;
    var surface = SDL.makeSurface(width, height, 0, false, 'IMG_Load_RW');
    var pixels = HEAP32[(surface + {{{ C_STRUCTS.SDL_Surface.pixels }}}) >> 2];
    HEAPU8.copyWithin(pixels, data, data + width * height * RGBA);
    _stbi_image_free(data);
    return surface;
  },

  SDL_UpperBlit__deps: ['$SDL'],
  SDL_UpperBlit: function(src, srcrect, dst, dstrect) {
    var from = SDL.surfaces[src], to = SDL.surfaces[dst];
    var fromPixels = HEAP32[(src + {{{ C_STRUCTS.SDL_Surface.pixels }}}) >> 2];
    var toPixels = HEAP32[(dst + {{{ C_STRUCTS.SDL_Surface.pixels }}}) >> 2];
    if (dst == SDL.screen || !fromPixels || !toPixels) return SDL.blitSurface(src, srcrect, dst, dstrect, false);
    var area = srcrect ? SDL.loadRect(srcrect) : {x: 0, y: 0, w: from.width, h: from.height};
    var x = dstrect ? HEAP32[dstrect >> 2] : 0, y = dstrect ? HEAP32[(dstrect + 4) >> 2] : 0;
    // Clipped to both surfaces.
    if (x < 0) { area.x -= x; area.w += x; x = 0; }
    if (y < 0) { area.y -= y; area.h += y; y = 0; }
    var w = Math.max(0, Math.min(area.w, from.width - area.x, to.width - x));
    var h = Math.max(0, Math.min(area.h, from.height - area.y, to.height - y));
    var RGBA = 4;
    for (var row = 0; row < h; row++) {
      var start = fromPixels + ((area.y + row) * from.width + area.x) * RGBA;
      HEAPU8.copyWithin(toPixels + ((y + row) * to.width + x) * RGBA, start, start + w * RGBA);
    }
    if (dstrect) SDL.updateRect(dstrect, {x: x, y: y, w: w, h: h});
    return 0;
  },
});
