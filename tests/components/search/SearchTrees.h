#pragma once
// Shared by the walker and finder tests: the example tree, a current-directory
// scope, and running a check with root's privileges given up.

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "tests/support/TempDir.h"

// base: a.jpg, A/ (b.jpg, A1/ (c.jpg)), B/ (d.jpg, B1/)
inline void MakeExampleTree(const TempDir& tmp)
{
    tmp.WriteFile("a.jpg", "a");
    tmp.WriteFile("A/b.jpg", "bb");
    tmp.WriteFile("A/A1/c.jpg", "ccc");
    tmp.WriteFile("B/d.jpg", "dddd");
    tmp.MakeDir("B/B1");
}

class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::string& dir)
    {
        char* cwd = get_current_dir_name();
        FSaved = cwd ? cwd : "/";
        free(cwd);
        if (chdir(dir.c_str()) != 0)
            throw std::runtime_error("chdir " + dir);
    }
    ~CurrentDirScope() { (void)!chdir(FSaved.c_str()); }

private:
    std::string FSaved;
};

// Runs check in a child process that has given up root, so that permissions
// apply even when the tests run as root; its exit status (0: check held).
// -1 when privileges cannot be dropped here.
inline int RunUnprivileged(const std::function<bool()>& check)
{
    if (geteuid() != 0)
        return check() ? 0 : 1;
    const passwd* nobody = getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0)
            _exit(3);
        bool ok = false;
        try {
            ok = check();
        } catch (...) {
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return 2;
    return WEXITSTATUS(status) == 3 ? -1 : WEXITSTATUS(status);
}
