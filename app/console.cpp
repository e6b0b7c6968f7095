#include "app/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

void makePrintingBestEffort()
{
    std::signal(SIGPIPE, SIG_IGN);
    // The number of a closed standard stream would go to the next file the
    // program opens (the display's connection, say), and the show's lines
    // into that. open takes the lowest free number, so in order they refill.
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) == -1 && errno == EBADF) {
            open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
}
