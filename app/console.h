// The show's printing (the t key's timing lines, the closing line) is
// best-effort: a closed standard stream, or a pipe whose reader has gone,
// must not end the show.
#pragma once

// Call first thing: closed standard streams are opened on /dev/null, and
// writing into a broken pipe fails instead of killing the program.
void makePrintingBestEffort();
