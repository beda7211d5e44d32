#pragma once
// Shared by the walker and finder tests: the example tree and a
// current-directory scope.

#include <unistd.h>

#include <functional>
#include <string>

#include "tests/support/RunUnprivileged.h"
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
