#include "components/search/TSearchDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/rtl/Exception.h"
#include "tests/components/search/SearchTrees.h"

namespace {

using Names = std::vector<std::string>;

// A walker whose reports land in a list; answer() may set the flags.
struct Walk {
    TSearchDir Walker {nullptr};
    Names Reports;
    std::vector<TSearchFileData> Data;
    std::function<void(const std::string&, bool&, bool&)> Answer;

    Walk()
    {
        Walker.OnFind = TSearchDirEvent::FromFunction(
            [this](TObject* sender, std::string name, const TSearchFileData& data, bool& ignore, bool& cont) {
                EXPECT_EQ(sender, &Walker);
                EXPECT_FALSE(ignore);
                EXPECT_TRUE(cont);
                EXPECT_TRUE(Walker.Busy());
                Reports.push_back(name);
                Data.push_back(data);
                if (Answer)
                    Answer(name, ignore, cont);
            });
    }
    bool Run(const std::string& base)
    {
        Walker.SetBaseDir(base);
        return Walker.Search();
    }
};

TEST(TSearchDirTest, ReportsDirectoriesLevelByLevel)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    Walk w;
    EXPECT_TRUE(w.Run(b));
    EXPECT_EQ(w.Reports, (Names{b, b + "/A", b + "/B", b + "/A/A1", b + "/B/B1"}));
    EXPECT_FALSE(w.Walker.Busy());
    EXPECT_EQ(w.Data[0].FileName, tmp.Path().filename().string());
    EXPECT_TRUE(w.Data[0].IsDirectory);
    EXPECT_EQ(w.Data[3].FileName, "A1");
    EXPECT_TRUE(w.Data[3].LastWriteTimeValid);
}

TEST(TSearchDirTest, IgnoreSubDirAndContinue)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    struct Case {
        std::string target;      // where the handler answers
        bool ignore, stop;
        Names expected;
        bool result;
    } cases[] = {
        {b + "/A", true, false, {b, b + "/A", b + "/B", b + "/B/B1"}, true},
        {b, true, false, {b}, true},
        {b + "/B", false, true, {b, b + "/A", b + "/B"}, false},     // third report stops
        {b, false, true, {b}, false},
    };
    for (const Case& c : cases) {
        Walk w;
        w.Answer = [&](const std::string& name, bool& ignore, bool& cont) {
            if (name == c.target) {
                ignore = c.ignore;
                cont = !c.stop;
            }
        };
        EXPECT_EQ(w.Run(b), c.result) << c.target;
        EXPECT_EQ(w.Reports, c.expected) << c.target;
        EXPECT_FALSE(w.Walker.Busy());
    }
}

TEST(TSearchDirTest, StopsAndFailures)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    {
        Walk w;   // EAbort from the handler is a stop
        w.Answer = [&](const std::string& name, bool&, bool&) {
            if (name == b + "/B")
                Abort();
        };
        EXPECT_FALSE(w.Run(b));
        EXPECT_EQ(w.Reports.size(), 3u);
        EXPECT_FALSE(w.Walker.Busy());
    }
    {
        Walk w;   // any other exception passes on; the walker can walk again
        w.Answer = [&](const std::string& name, bool&, bool&) {
            if (name == b + "/A")
                throw EFOpenError("boom");
        };
        EXPECT_THROW(w.Run(b), EFOpenError);
        EXPECT_FALSE(w.Walker.Busy());
        w.Answer = nullptr;
        w.Reports.clear();
        EXPECT_TRUE(w.Run(b));
        EXPECT_EQ(w.Reports.size(), 5u);
    }
    {
        Walk w;   // re-entry from a handler returns False and changes nothing
        std::vector<bool> inner;
        w.Answer = [&](const std::string&, bool&, bool&) { inner.push_back(w.Walker.Search()); };
        EXPECT_TRUE(w.Run(b));
        EXPECT_EQ(inner, std::vector<bool>(5, false));
        EXPECT_EQ(w.Reports.size(), 5u);
    }
    for (const std::string& base : {std::string(), b + "/missing"}) {
        Walk w;
        EXPECT_FALSE(w.Run(base));
        EXPECT_TRUE(w.Reports.empty());
    }
    {
        Walk w;   // a file as the base: reported once with its own record
        EXPECT_TRUE(w.Run(b + "/a.jpg"));
        ASSERT_EQ(w.Reports, Names {b + "/a.jpg"});
        EXPECT_FALSE(w.Data[0].IsDirectory);
        EXPECT_EQ(w.Data[0].Size, 1);
    }
}

// Takes the reports by overriding DoFind.
class TCountingWalker : public TSearchDir {
public:
    using TSearchDir::TSearchDir;
    int Count = 0;

protected:
    void DoFind(const std::string&, const TSearchFileData&, bool&, bool&) override { ++Count; }
};

TEST(TSearchDirTest, NoHandlerNoWalkEvenInADescendant)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    TCountingWalker w(nullptr);
    w.SetBaseDir(tmp.Str());
    EXPECT_FALSE(w.Search());
    EXPECT_EQ(w.Count, 0);
    w.OnFind = TSearchDirEvent::FromFunction([](TObject*, std::string, const TSearchFileData&, bool&, bool&) {});
    EXPECT_TRUE(w.Search());
    EXPECT_EQ(w.Count, 5);
}

TEST(TSearchDirTest, RelativeAndTrailingDelimiterBases)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    {
        CurrentDirScope cwd(b + "/B");
        Walk w;
        EXPECT_TRUE(w.Run("../A/"));
        EXPECT_EQ(w.Reports, (Names{b + "/A/", b + "/A/A1"}));
        // No entry for a path ending in "/": an empty record.
        EXPECT_EQ(w.Data[0].FileName, "");
        EXPECT_FALSE(w.Data[0].IsDirectory);
        EXPECT_FALSE(w.Data[0].LastWriteTimeValid);
        Walk r;
        EXPECT_TRUE(r.Run("."));
        EXPECT_EQ(r.Reports, (Names{b + "/B", b + "/B/B1"}));
    }
    Walk root;   // the root, kept from the whole disk
    root.Answer = [](const std::string&, bool& ignore, bool&) { ignore = true; };
    EXPECT_TRUE(root.Run("/"));
    EXPECT_EQ(root.Reports, Names {"/"});
    EXPECT_EQ(root.Data[0].FileName, "");
}

TEST(TSearchDirTest, HiddenDirectoriesLinksAndCycles)
{
    TempDir tmp;
    const std::string b = tmp.Str();
    tmp.MakeDir(".hidden");
    tmp.MakeDir("real/inner");
    tmp.WriteFile("file.d", "");   // a file named like a folder is no report
    ASSERT_EQ(symlink("real", (tmp / "alias").c_str()), 0);
    ASSERT_EQ(symlink(b.c_str(), (tmp / "real/inner/up").c_str()), 0);  // a cycle back to the base
    ASSERT_EQ(symlink("nowhere", (tmp / "broken").c_str()), 0);
    Walk w;
    EXPECT_TRUE(w.Run(b));
    // "alias" sorts before "real" and so reaches the folder first; "real" is
    // then the same folder and is passed over, as is the way back up.
    EXPECT_EQ(w.Reports, (Names{b, b + "/.hidden", b + "/alias", b + "/alias/inner"}));
    EXPECT_TRUE(w.Data[1].IsHidden);
}

TEST(TSearchDirTest, ADirectoryThatCannotBeListedIsReportedAndPassedOver)
{
    TempDir tmp;
    const std::string b = tmp.Str();
    tmp.MakeDir("A/locked/deep");
    tmp.MakeDir("B/B1");
    ASSERT_EQ(chmod(b.c_str(), 0755), 0);
    ASSERT_EQ(chmod((tmp / "A/locked").c_str(), 0), 0);
    const int status = RunUnprivileged([&] {
        Walk w;
        return w.Run(b) && w.Reports == Names {b, b + "/A", b + "/B", b + "/A/locked", b + "/B/B1"};
    });
    if (status < 0)
        GTEST_SKIP() << "cannot drop root privileges here, so permissions would not apply";
    EXPECT_EQ(status, 0);
}

}
