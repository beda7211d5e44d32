// The searchfile tool, run as a real process on trees the tests make.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace {

struct ToolRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

ToolRun Searchfile(const std::vector<std::string>& args)
{
    const std::string exe = std::string(RUPINAKO_BINARY_DIR) + "/tools/searchfile/searchfile";
    TempDir io;
    const std::string out = io / "out", err = io / "err";
    const pid_t pid = fork();
    if (pid == 0) {
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0)
            _exit(127);
        setenv("TZ", "UTC0", 1);
        std::vector<char*> argv {const_cast<char*>(exe.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    ToolRun r;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        r.Status = WEXITSTATUS(status);
    r.Out = ReadFileBytes(out);
    r.Err = ReadFileBytes(err);
    return r;
}

void SetTime(const std::string& path, std::time_t t)
{
    const struct timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class SearchfileToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* f : {"a.jpg", "A/b.jpg", "A/A1/c.jpg", "B/d.jpg"})
            SetTime(tmp.WriteFile(f, f), 1000000001);   // 2001-09-09 01:46:41 UTC
        tmp.MakeDir("B/B1");
        b = tmp.Str();
    }
    TempDir tmp;
    std::string b;
};

TEST_F(SearchfileToolTest, RecursiveSearchPrintsTheWalkThenTheMatches)
{
    const ToolRun r = Searchfile({"--recursive", "--mask", "*.jpg", b});
    EXPECT_EQ(r.Status, 0);
    const std::string t = "\t----a\t2001-09-09 01:46:40\n";
    EXPECT_EQ(r.Out, "dir\t" + b + "\ndir\t" + b + "/A\ndir\t" + b + "/B\ndir\t" + b + "/A/A1\ndir\t" + b +
                         "/B/B1\n"
                         "file\t" + b + "/a.jpg\t5" + t + "file\t" + b + "/A/b.jpg\t7" + t + "file\t" + b +
                         "/B/d.jpg\t7" + t + "file\t" + b + "/A/A1/c.jpg\t10" + t + "result\tTrue\n");
}

TEST_F(SearchfileToolTest, SkipIgnoreSubdirAndStopAfter)
{
    ToolRun r = Searchfile({"--recursive", "--mask", "*.jpg", "--skip", b + "/A", "--ignore-subdir", b + "/B", b});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out.find("B/B1"), std::string::npos);
    EXPECT_EQ(r.Out.find("A/b.jpg"), std::string::npos);
    EXPECT_NE(r.Out.find("file\t" + b + "/A/A1/c.jpg\t"), std::string::npos);
    EXPECT_NE(r.Out.find("file\t" + b + "/B/d.jpg\t"), std::string::npos);

    r = Searchfile({"--recursive", "--stop-after", "2", "--mask", "*.jpg", b});
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("A/b.jpg\t7"), std::string::npos);
    EXPECT_EQ(r.Out.find("B/d.jpg"), std::string::npos);
    EXPECT_EQ(r.Out.substr(r.Out.size() - 13), "result\tFalse\n");
}

TEST_F(SearchfileToolTest, FlagsAndMissingTimes)
{
    const std::string ro = tmp.WriteFile(".ro", "");
    ASSERT_EQ(chmod(ro.c_str(), 0444), 0);
    SetTime(ro, 0);   // 1970: before the DOS epoch, so no time
    ASSERT_EQ(mkfifo((tmp / "pipe").c_str(), 0644), 0);
    const ToolRun r = Searchfile({b});
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("file\t" + b + "/.ro\t0\t-rh-a\t-\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("file\t" + b + "/pipe\t0\t---s-\t"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("file\t" + b + "/A\t"), std::string::npos);
    EXPECT_NE(r.Out.find("\td----\t"), std::string::npos);
    EXPECT_EQ(r.Out.find("dir\t"), std::string::npos);   // not recursive: no walk
}

TEST(SearchfileToolUsageTest, BadUsageGivesStatus2)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"--mask"}, {"--stop-after", "0", "/tmp"}, {"--stop-after", "x", "/tmp"},
                                               {"--bogus", "/tmp"}, {"/tmp", "/var"}}) {
        const ToolRun r = Searchfile(args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_NE(r.Err.find("usage: searchfile"), std::string::npos);
        EXPECT_EQ(r.Out, "");
    }
    const ToolRun missing = Searchfile({"/nonexistent-folder-of-rupinako"});
    EXPECT_EQ(missing.Status, 0);
    EXPECT_EQ(missing.Out, "result\tTrue\n");
}

}
