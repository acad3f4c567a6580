// Running another program (shel_write) and the program's own command line
// (shel_read). The other program is started directly, never through a
// shell, with the arguments of the classic tail, and the caller waits for it
// to end, as a classic single-tasking program did; its own screen stays as
// it is meanwhile.
#include <errno.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gem/internal.h"
#include "gem/shell/tail.h"

extern char **environ;

namespace {

// The full path of `command`: as given when it holds a '/', else as
// shel_find finds it. Empty when it is too long or not found.
std::string program_path(const char *command)
{
    char path[GEM_PATH_MAX];
    const size_t length = strnlen(command, GEM_PATH_MAX);
    if (length == 0 || length == GEM_PATH_MAX)
        return "";
    memcpy(path, command, length + 1);
    if (!strchr(path, '/') && !shel_find(path))
        return "";
    return path;
}

// Starts `path` with `args` in a clean signal mask (the layer's threads may
// block signals the other program needs) and waits for it. False when it
// could not be started.
bool run(const std::string &path, const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(path.c_str()));
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0)
        return false;
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
    pid_t pid;
    const int failed = posix_spawn(&pid, path.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (failed)
        return false;
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

// The program's own arguments, its command first.
std::vector<std::string> own_arguments()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    for (size_t at = 0; at < all.size();) {
        const size_t end = all.find('\0', at);
        const size_t stop = end == std::string::npos ? all.size() : end;
        args.push_back(all.substr(at, stop - at));
        at = stop + 1;
    }
    if (args.empty())
        args.push_back(program_invocation_name);
    return args;
}

}  // namespace

// Mode 1 runs the program and returns once it has ended: 1, whatever its
// exit status; 0 when it could not be found or started. Every other mode
// (0, leave to a desktop, and the later systems' modes) is refused with 0.
// Whether the program is graphical (isgr) or ran from the desktop (iscr)
// changes nothing here. Afterwards the screen is shown again as it was.
int shel_write(int doex, int isgr, int iscr, const char *command, const char *tail)
{
    (void)isgr;
    (void)iscr;
    if (doex != 1 || !command)
        return 0;
    const std::string path = program_path(command);
    if (path.empty() || !run(path, command_tail::split(tail)))
        return 0;
    _gemio->present();
    return 1;
}

// The command as the program was started (cut to GEM_PATH_MAX - 1
// characters) and its arguments as a classic tail (command_tail::BYTES
// bytes at most).
int shel_read(char *command, char *tail)
{
    std::vector<std::string> args = own_arguments();
    if (command) {
        const std::string &c = args[0];
        const size_t length = c.size() < GEM_PATH_MAX ? c.size() : GEM_PATH_MAX - 1;
        memcpy(command, c.data(), length);
        command[length] = '\0';
    }
    if (tail)
        command_tail::join(std::vector<std::string>(args.begin() + 1, args.end()), tail);
    return 1;
}
