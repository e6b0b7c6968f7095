#!/usr/bin/env bash
# Runs an end-to-end script with the program on the SDL 1.2 compatibility
# library over SDL2 (Debian's libsdl1.2-compat, installed beside the classic
# library in a folder of its own) in place of the classic library.
# Usage: on_compat_runtime.sh LIBRARY-FOLDER SCRIPT PATH-TO-SLEIGHRIDE
folder=$1
shift
export LD_LIBRARY_PATH=$folder${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
ldd "$2" | grep -qF "$folder/libSDL-1.2.so.0" || { echo "FAIL: $2 does not load SDL from $folder"; exit 1; }
exec "$@"
