// sprout-guardian: waits beside one shell, on the socket that is its
// standard input, and keeps what the shell says it has taken of the desktop.
// When the shell's end closes the socket with something still held, it
// becomes the restore program (sprout-restore, beside it) with those holds.
// It uses nothing but the C library, so the wait costs no processor time
// and little memory; Xlib is loaded only by the restore, only when needed.
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int hold_count = 3;
constexpr std::size_t message_size = 4096;
char const* const hold_names[hold_count] = { "display=", "panel=", "pointer=" };
// The last message of each hold, "name=how"; given back when `how` is empty.
char held[hold_count][message_size];

void keep(char const* message)
{
    for (int i = 0; i < hold_count; ++i)
        if (std::strncmp(message, hold_names[i], std::strlen(hold_names[i])) == 0)
            std::strcpy(held[i], message);
}

bool still_held(int i) { return held[i][0] != '\0' && held[i][std::strlen(hold_names[i])] != '\0'; }

void say(char const* text) { (void)!::write(STDERR_FILENO, text, std::strlen(text)); }

}

int main()
{
    char message[message_size];
    for (;;) {
        ssize_t n = ::recv(STDIN_FILENO, message, sizeof message - 1, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the shell has ended, however it ended
        message[n] = '\0';
        keep(message);
    }

    static char restore[message_size];
    ssize_t n = ::readlink("/proc/self/exe", restore, sizeof restore - sizeof "sprout-restore");
    if (n <= 0)
        return 1;
    restore[n] = '\0';
    std::strcpy(std::strrchr(restore, '/') + 1, "sprout-restore");
    char* argv[hold_count + 2] = { restore };
    int argc = 1;
    for (int i = 0; i < hold_count; ++i)
        if (still_held(i))
            argv[argc++] = held[i];
    if (argc == 1)
        return 0;
    ::execv(restore, argv);
    say("sprout-guardian: cannot start sprout-restore: ");
    say(std::strerror(errno));
    say("\n");
    return 1;
}
