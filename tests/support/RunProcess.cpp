#include "tests/support/RunProcess.h"

#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    for (const std::string& change : changes) {
        std::string key = change.substr(0, change.find('=') + 1);
        std::erase_if(env, [&](const std::string& v) { return v.compare(0, key.size(), key) == 0; });
        if (change.size() > key.size())
            env.push_back(change);
    }
    return env;
}

}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& env, const std::string& cwd, const std::string* input,
                         int runAsUid)
{
    int out[2], err[2], in[2];
    if (pipe(out) != 0 || pipe(err) != 0 || pipe(in) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> environment = MergedEnvironment(env);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (input) {
            dup2(in[0], 0);
        } else {
            int devnull = open("/dev/null", O_RDONLY);
            dup2(devnull, 0);
        }
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {out[0], out[1], err[0], err[1], in[0], in[1]})
            close(fd);
        if (runAsUid >= 0 && (setgroups(0, nullptr) != 0 || setresgid(runAsUid, runAsUid, runAsUid) != 0 ||
                              setresuid(runAsUid, runAsUid, runAsUid) != 0))
            _exit(125);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0)
            _exit(126);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    close(in[0]);
    if (input) {
        std::size_t done = 0;
        while (done < input->size()) {
            ssize_t n = write(in[1], input->data() + done, input->size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
    }
    close(in[1]);

    ProcessResult result;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.Out, &result.Err};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (poll(fds, 2, -1) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}
