#pragma once
// Runs a program as a child process and collects what it did.
//
// The child gets the given arguments (no shell), the current environment
// with `env` entries added or replaced ("NAME=value"; "NAME=" with an empty
// value removes NAME), standard input from /dev/null unless `input` is given,
// and the working directory `cwd` when not empty. Standard output and error
// are captured whole. With runAsUid >= 0 (and the caller root), the child
// drops to that user and its group before it starts. Throws std::runtime_error when the program cannot be
// started at all.

#include <string>
#include <vector>

struct ProcessResult {
    int ExitStatus = -1;   // exit code, or 128 + signal number
    std::string Out;
    std::string Err;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& env = {}, const std::string& cwd = {},
                         const std::string* input = nullptr, int runAsUid = -1);
