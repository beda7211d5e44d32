#include "platform/os/ShellExecute.h"

#include <cerrno>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifdef RUPINAKO_HAVE_GIO
#include <gio/gio.h>
#endif

extern char** environ;

namespace {

constexpr std::intptr_t Handed = 42;

bool IsOpenVerb(const std::string& verb)
{
    if (verb.empty())
        return true;
    static const char open[] = "open";
    if (verb.size() != 4)
        return false;
    for (size_t i = 0; i < 4; ++i) {
        char c = verb[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != open[i])
            return false;
    }
    return true;
}

// "http://…", "mailto:…": a scheme of two or more letters, digits, "+", "-"
// or "." that starts with a letter, then ":". A relative path whose first
// name holds such a ":" would be taken for an address; the program only hands
// over absolute folders and web addresses.
bool HasScheme(const std::string& target)
{
    size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    for (size_t i = 0; i < colon; ++i) {
        char c = target[i];
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!(letter || (i > 0 && other)))
            return false;
    }
    return true;
}

std::string CurrentFolder()
{
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::string AbsolutePath(const std::string& path, const std::string& directory)
{
    if (!path.empty() && path[0] == '/')
        return path;
    std::string base = !directory.empty() && directory[0] == '/' ? directory
                       : directory.empty()                       ? CurrentFolder()
                                                                 : CurrentFolder() + "/" + directory;
    if (base.empty() || base.back() != '/')
        base += '/';
    return base + path;
}

// Starts argv[0] (searched in PATH) and waits for it. -1 when it could not
// be started, else its exit status (128 + signal when it was killed).
int RunAndWait(const std::vector<std::string>& args, const std::string& directory)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

std::intptr_t OpenWithDesktop(const std::string& target, const std::string& directory)
{
    std::string what = target;
    if (!HasScheme(target)) {
        what = AbsolutePath(target, directory);
        struct stat st;
        if (stat(what.c_str(), &st) != 0)
            return SE_ERR_FNF;
    }
#ifdef RUPINAKO_HAVE_GIO
    std::string uri = what;
    if (!HasScheme(target)) {
        gchar* fileUri = g_filename_to_uri(what.c_str(), nullptr, nullptr);
        if (!fileUri)
            return SE_ERR_FNF;
        uri = fileUri;
        g_free(fileUri);
    }
    GError* error = nullptr;
    gboolean launched = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    if (error)
        g_error_free(error);
    return launched ? Handed : SE_ERR_NOASSOC;
#else
    // xdg-open may wait for the program it starts; a shell puts it in the
    // background and ends at once, so nothing here waits for the handler.
    int rc = RunAndWait({"/bin/sh", "-c", "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &", "sh", what}, "");
    return rc == 0 ? Handed : SE_ERR_NOASSOC;
#endif
}

}  // namespace

std::intptr_t ShellExecuteA(std::uintptr_t, const std::string& verb, const std::string& target, const std::string&,
                            const std::string& directory, int)
{
    try {
        if (!IsOpenVerb(verb))
            return SE_ERR_NOASSOC;
        if (target.empty())
            return SE_ERR_FNF;
        const char* opener = std::getenv("RUPINAKO_OPENER");
        if (opener && *opener) {
            int rc = RunAndWait({opener, target}, directory);
            if (rc < 0)
                return SE_ERR_FNF;
            return rc == 0 ? Handed : SE_ERR_NOASSOC;
        }
        return OpenWithDesktop(target, directory);
    } catch (...) {
        // Out of memory building an argument list: report, never throw.
        return SE_ERR_NOASSOC;
    }
}
