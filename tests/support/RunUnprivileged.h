#pragma once
// Running a check in a child process that has given up root, so that file
// permissions apply even when the tests run as root.

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

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
