# The libraries of the desktop show as a web page has them: emscripten's
# SDL 1.2 (with SDL_image and SDL_mixer) and its emulation of OpenGL 1.1 on
# WebGL, with what they lack supplied from this folder. The browser decodes
# and plays the song (audio.cpp with web_audio.js), so the show's own
# decoder and its mixer music are not built.
set(web_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(sleighride_libraries INTERFACE)
# include/ comes before emscripten's own headers, which it wraps.
target_include_directories(sleighride_libraries INTERFACE ${web_dir}/include)
set(song_player_assets)
set(song_player_app ${web_dir}/audio.cpp)
# GLU's quadrics, which emscripten's GLU lacks.
add_library(sleighride_web_glu STATIC ${web_dir}/glu_quadric.cpp)
target_include_directories(sleighride_web_glu PRIVATE ${web_dir}/include)
target_link_libraries(sleighride_libraries INTERFACE sleighride_web_glu)
# The pictures decoded between the splash's frames, with emscripten's
# stb_image (linked with -sSTB_IMAGE=1; its header lies among emscripten's
# own sources).
set(picture_decoding ${web_dir}/picture_decoding.cpp)
set(picture_decoding_libraries)
set_source_files_properties(${picture_decoding} PROPERTIES
    COMPILE_OPTIONS "-isystem;${EMSCRIPTEN_ROOT_PATH}/third_party")
