#include "components/search/TSearchFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Exception.h"
#include "tests/components/search/SearchTrees.h"

namespace {

using Lines = std::vector<std::string>;

// A finder whose reports land in one list, in the order they came:
// "dir <name>" for OnFindDir, "file <name>" for OnFind.
struct Finder {
    TSearchFile Search {nullptr};
    Lines Reports;
    std::vector<TSearchFileData> Found;
    std::function<void(const std::string&, bool&)> OnFile;
    std::function<void(const std::string&, bool&, bool&)> OnDir;

    Finder()
    {
        Search.OnFind = TFindFileEvent::FromFunction(
            [this](TObject* sender, std::string name, const TSearchFileData& data, bool& cont) {
                EXPECT_EQ(sender, &Search);
                EXPECT_TRUE(cont);
                EXPECT_TRUE(Search.Busy());
                Reports.push_back("file " + name);
                Found.push_back(data);
                if (OnFile)
                    OnFile(name, cont);
            });
        Search.OnFindDir = TFindDirEvent::FromFunction(
            [this](TObject* sender, std::string name, const TSearchFileData&, bool& skip, bool& ignore) {
                EXPECT_EQ(sender, &Search);
                EXPECT_FALSE(skip);
                EXPECT_FALSE(ignore);
                Reports.push_back("dir " + name);
                if (OnDir)
                    OnDir(name, skip, ignore);
            });
    }
    bool Run(const std::string& dir, bool recursive, const std::string& mask)
    {
        Search.SetDirectory(dir);
        Search.SetRecursive(recursive);
        Search.SetSearchName(mask);
        return Search.Search();
    }
};

TEST(TSearchFileTest, RecursiveSearchWalksFirstThenReportsBreadthFirst)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    Finder f;
    EXPECT_TRUE(f.Run(b, true, "*.jpg"));
    EXPECT_EQ(f.Reports, (Lines{"dir " + b, "dir " + b + "/A", "dir " + b + "/B", "dir " + b + "/A/A1",
                                "dir " + b + "/B/B1", "file " + b + "/a.jpg", "file " + b + "/A/b.jpg",
                                "file " + b + "/B/d.jpg", "file " + b + "/A/A1/c.jpg"}));
    EXPECT_FALSE(f.Search.Busy());
    EXPECT_EQ(f.Found[3].FileName, "c.jpg");
    EXPECT_EQ(f.Found[3].Size, 3);
}

TEST(TSearchFileTest, SkipAndIgnoreSubDirAreIndependent)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    const std::string a = b + "/a.jpg", bb = b + "/A/b.jpg", c = b + "/A/A1/c.jpg", d = b + "/B/d.jpg";
    struct Case {
        std::string target;
        bool skip, ignore;
        Lines files;
    } cases[] = {
        {b + "/A", false, false, {a, bb, d, c}},
        {b + "/A", true, false, {a, d, c}},
        {b + "/A", false, true, {a, bb, d}},
        {b + "/A", true, true, {a, d}},
        {b, true, false, {bb, d, c}},
        {b, false, true, {a}},
    };
    for (const Case& k : cases) {
        Finder f;
        f.OnDir = [&](const std::string& name, bool& skip, bool& ignore) {
            if (name == k.target) {
                skip = k.skip;
                ignore = k.ignore;
            }
        };
        EXPECT_TRUE(f.Run(b, true, "*.jpg"));
        Lines files;
        for (const std::string& r : f.Reports)
            if (r.rfind("file ", 0) == 0)
                files.push_back(r.substr(5));
        EXPECT_EQ(files, k.files) << k.target << " skip " << k.skip << " ignore " << k.ignore;
    }
}

TEST(TSearchFileTest, NonRecursiveSearchListsOneDirectoryAndNeverOffersIt)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    tmp.WriteFile("PHOTO.JPG", "");
    tmp.MakeDir("trip.jpg");
    tmp.WriteFile("x.jpgx", "");
    tmp.WriteFile("photo.jpeg", "");
    const std::string b = tmp.Str();
    Finder f;
    EXPECT_TRUE(f.Run(b, false, "*.jpg"));
    EXPECT_EQ(f.Reports, (Lines{"file " + b + "/a.jpg", "file " + b + "/PHOTO.JPG", "file " + b + "/trip.jpg"}));
    EXPECT_TRUE(f.Found[2].IsDirectory);

    Finder all;   // an empty mask is every entry but "." and ".."
    EXPECT_TRUE(all.Run(b, false, ""));
    EXPECT_EQ(all.Reports, (Lines{"file " + b + "/A", "file " + b + "/a.jpg", "file " + b + "/B",
                                  "file " + b + "/photo.jpeg", "file " + b + "/PHOTO.JPG", "file " + b + "/trip.jpg",
                                  "file " + b + "/x.jpgx"}));
}

TEST(TSearchFileTest, StopsFromFindAndFindDir)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    {
        Finder f;   // Continue left False on the first match: exactly one report
        f.OnFile = [](const std::string&, bool& cont) { cont = false; };
        EXPECT_FALSE(f.Run(b, true, "*.jpg"));
        EXPECT_EQ(f.Reports.back(), "file " + b + "/a.jpg");
        EXPECT_EQ(f.Found.size(), 1u);
        EXPECT_FALSE(f.Search.Busy());
    }
    {
        Finder f;   // EAbort from OnFind stops the same way
        f.OnFile = [&](const std::string& name, bool&) {
            if (name == b + "/A/b.jpg")
                Abort();
        };
        EXPECT_FALSE(f.Run(b, true, "*.jpg"));
        EXPECT_EQ(f.Found.size(), 2u);
    }
    {
        Finder f;   // EAbort from OnFindDir ends the walk only
        f.OnDir = [&](const std::string& name, bool&, bool&) {
            if (name == b + "/B")
                Abort();
        };
        EXPECT_TRUE(f.Run(b, true, "*.jpg"));
        EXPECT_EQ(f.Reports, (Lines{"dir " + b, "dir " + b + "/A", "dir " + b + "/B", "file " + b + "/a.jpg",
                                    "file " + b + "/A/b.jpg"}));
    }
}

TEST(TSearchFileTest, ExceptionsPassOnAndBusyIsCleared)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    Finder f;
    f.OnFile = [](const std::string&, bool&) { throw EInvalidGraphic("bad picture"); };
    EXPECT_THROW(f.Run(b, true, "*.jpg"), EInvalidGraphic);
    EXPECT_FALSE(f.Search.Busy());
    f.OnFile = nullptr;
    f.OnDir = [](const std::string&, bool&, bool&) { throw EOutOfResources("no memory"); };
    EXPECT_THROW(f.Run(b, true, "*.jpg"), EOutOfResources);
    EXPECT_FALSE(f.Search.Busy());
    f.OnDir = nullptr;
    f.Reports.clear();
    EXPECT_TRUE(f.Run(b, true, "*.jpg"));
    EXPECT_EQ(f.Reports.size(), 9u);
}

TEST(TSearchFileTest, ReentryAndMissingHandlers)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    Finder f;
    std::vector<bool> inner;
    f.OnFile = [&](const std::string&, bool&) { inner.push_back(f.Search.Search()); };
    f.OnDir = [&](const std::string&, bool&, bool&) { inner.push_back(f.Search.Search()); };
    EXPECT_TRUE(f.Run(b, true, "*.jpg"));
    EXPECT_EQ(inner, std::vector<bool>(9, false));
    EXPECT_EQ(f.Reports.size(), 9u);

    Finder noFind;   // OnFindDir alone does not start a search
    noFind.Search.OnFind.Clear();
    EXPECT_FALSE(noFind.Run(b, true, "*.jpg"));
    EXPECT_TRUE(noFind.Reports.empty());

    Finder noDir;    // without OnFindDir every directory is searched
    noDir.Search.OnFindDir.Clear();
    EXPECT_TRUE(noDir.Run(b, true, "*.jpg"));
    EXPECT_EQ(noDir.Reports.size(), 4u);
}

TEST(TSearchFileTest, FullNamesFromRelativeTrailingAndRootDirectories)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    {
        CurrentDirScope cwd(b + "/A");
        Finder rel;
        EXPECT_TRUE(rel.Run("A1", false, "*.jpg"));
        EXPECT_EQ(rel.Reports, Lines {"file " + b + "/A/A1/c.jpg"});
        Finder up;
        EXPECT_TRUE(up.Run("../B/", true, "*.jpg"));
        EXPECT_EQ(up.Reports, (Lines{"dir " + b + "/B/", "dir " + b + "/B/B1", "file " + b + "/B/d.jpg"}));
    }
    Finder trailing;
    EXPECT_TRUE(trailing.Run(b + "//A/", false, "b.JPG"));
    EXPECT_EQ(trailing.Reports, Lines {"file " + b + "/A/b.jpg"});

    // The root: a mask that matches little, and a walk kept to the root.
    Finder root;
    EXPECT_TRUE(root.Run("/", false, "tmp"));
    EXPECT_EQ(root.Reports, Lines {"file /tmp"});
    Finder rootWalk;
    rootWalk.OnDir = [](const std::string&, bool&, bool& ignore) { ignore = true; };
    EXPECT_TRUE(rootWalk.Run("/", true, "t?p"));
    EXPECT_EQ(rootWalk.Reports, (Lines{"dir /", "file /tmp"}));
}

TEST(TSearchFileTest, MissingEmptyAndUnlistableDirectories)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    for (bool recursive : {false, true})
        for (const std::string& dir : {b + "/missing", std::string()}) {
            Finder f;
            EXPECT_TRUE(f.Run(dir, recursive, "")) << dir << recursive;
            EXPECT_TRUE(f.Reports.empty()) << dir << recursive;
        }

    tmp.WriteFile("A/locked/hidden.jpg", "");
    ASSERT_EQ(chmod(b.c_str(), 0755), 0);
    ASSERT_EQ(chmod((tmp / "A/locked").c_str(), 0), 0);
    const int status = RunUnprivileged([&] {
        Finder f;
        return f.Run(b, true, "*.jpg") && f.Found.size() == 4;
    });
    if (status < 0)
        GTEST_SKIP() << "cannot drop root privileges here, so permissions would not apply";
    EXPECT_EQ(status, 0);
}

TEST(TSearchFileTest, LinkCycleEndsAndEachFileComesOnce)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    const std::string b = tmp.Str();
    ASSERT_EQ(symlink(b.c_str(), (tmp / "A/A1/loop").c_str()), 0);
    ASSERT_EQ(symlink("B", (tmp / "Bee").c_str()), 0);
    Finder f;
    EXPECT_TRUE(f.Run(b, true, "*.jpg"));
    EXPECT_EQ(f.Found.size(), 4u);
}

class TQuietFinder : public TSearchFile {
public:
    using TSearchFile::TSearchFile;
    int Finds = 0;

protected:
    void DoFind(const std::string&, const TSearchFileData&, bool&) override { ++Finds; }
};

TEST(TSearchFileTest, DoFindIsTheOverridableFirer)
{
    TempDir tmp;
    MakeExampleTree(tmp);
    TQuietFinder f(nullptr);
    f.SetDirectory(tmp.Str());
    f.SetRecursive(true);
    EXPECT_FALSE(f.Search());   // no OnFind: no search, whatever DoFind does
    EXPECT_EQ(f.Finds, 0);
    f.OnFind = TFindFileEvent::FromFunction([](TObject*, std::string, const TSearchFileData&, bool&) {});
    EXPECT_TRUE(f.Search());
    EXPECT_EQ(f.Finds, 8);   // "*.*": the tree's 4 files and 4 folders below the base
}

}

namespace {

TEST(TSearchFileTest, HandlersMayReplaceThemselvesAndSizesPassFourGigabytes)
{
    TempDir tmp;
    const std::string big = tmp.WriteFile("big.bin", "");
    ASSERT_EQ(truncate(big.c_str(), (1LL << 32) + 1), 0);   // sparse
    tmp.WriteFile("small.bin", "12");
    TSearchFile f(nullptr);
    f.SetDirectory(tmp.Str());
    std::vector<std::string> log;
    std::vector<std::int64_t> sizes;
    // The first handler holds state in its captures and replaces itself.
    auto second = [&](TObject*, std::string name, const TSearchFileData& d, bool&) {
        log.push_back("second " + name);
        sizes.push_back(d.Size);
    };
    auto owned = std::make_shared<std::string>("first ");
    f.OnFind = TFindFileEvent::FromFunction([&, owned](TObject*, std::string name, const TSearchFileData& d, bool&) {
        f.OnFind = TFindFileEvent::FromFunction(second);
        log.push_back(*owned + name);   // the captures are still alive here
        sizes.push_back(d.Size);
    });
    owned.reset();
    EXPECT_TRUE(f.Search());
    EXPECT_EQ(log, (std::vector<std::string>{"first " + big, "second " + tmp.Str() + "/small.bin"}));
    EXPECT_EQ(sizes, (std::vector<std::int64_t>{(1LL << 32) + 1, 2}));
}

}
