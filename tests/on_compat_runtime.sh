#!/usr/bin/env bash
# Runs an end-to-end script with the program on the SDL 1.2 compatibility
# library over SDL2 (Debian's libsdl1.2-compat, installed beside the classic
# library in a folder of its own) in place of the classic library.
# Usage: on_compat_runtime.sh LIBRARY-FOLDER SCRIPT PATH-TO-SLEIGHRIDE
folder=$1
shift
# The runs count the show's lines on stderr; the library's own (its banner
# under debug logging, SDL2's warning about a missing XDG_RUNTIME_DIR) are
# kept out of them.
unset SDL12COMPAT_DEBUG_LOGGING
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime}
export LD_LIBRARY_PATH=$folder${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
ldd "$2" | grep -qF "$folder/libSDL-1.2.so.0" || { echo "FAIL: $2 does not load SDL from $folder"; exit 1; }
"$@"
