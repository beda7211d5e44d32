// searchfile [--recursive] [--mask MASK] [--skip PATH]... [--ignore-subdir PATH]...
//            [--stop-after N] DIRECTORY
//
// Runs one TSearchFile search of DIRECTORY and prints one tab-separated line
// per report:
//   dir<TAB>NAME                                   each OnFindDir call (--recursive)
//   file<TAB>NAME<TAB>SIZE<TAB>FLAGS<TAB>WRITETIME each OnFind call
//   result<TAB>True|False                          what Search returned
// FLAGS are five characters, "d r h s a" for directory, read-only, hidden,
// system and archive, "-" where not set; WRITETIME is "YYYY-MM-DD hh:mm:ss"
// or "-" when the entry has none. --skip and --ignore-subdir set Skip and
// IgnoreSubDir for the directory whose Name equals PATH; --stop-after N
// leaves Continue False on the N-th OnFind call.
//
// Exit status: 0 after a search, 2 for bad usage (text on stderr), 1 when
// the search raised an exception (its message on stderr).

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "components/search/SearchFile.h"
#include "platform/rtl/CommandLine.h"
#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/Exception.h"

namespace {

const char* const Usage =
    "usage: searchfile [--recursive] [--mask MASK] [--skip PATH]... [--ignore-subdir PATH]...\n"
    "                  [--stop-after N] DIRECTORY\n";

struct Options {
    bool Recursive = false;
    std::string Mask;
    std::set<std::string> Skip;
    std::set<std::string> IgnoreSubDir;
    long long StopAfter = 0;   // 0: never
    std::string Directory;
};

bool ParsePositive(const std::string& text, long long& value)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::atoll(text.c_str());
    return value > 0;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    bool haveDirectory = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--recursive") {
            options.Recursive = true;
        } else if (arg == "--mask") {
            if (!value(options.Mask))
                return false;
        } else if (arg == "--skip") {
            if (!value(v))
                return false;
            options.Skip.insert(v);
        } else if (arg == "--ignore-subdir") {
            if (!value(v))
                return false;
            options.IgnoreSubDir.insert(v);
        } else if (arg == "--stop-after") {
            if (!value(v) || !ParsePositive(v, options.StopAfter))
                return false;
        } else if (arg == "--") {
            if (i + 2 != argc || haveDirectory)
                return false;
            options.Directory = argv[++i];
            haveDirectory = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return false;
        } else {
            if (haveDirectory)
                return false;
            options.Directory = arg;
            haveDirectory = true;
        }
    }
    return haveDirectory;
}

// Collects the reports and answers the events as the options say.
class TReporter : public TObject {
public:
    explicit TReporter(const Options& options) : FOptions(options) {}

    void Find(TObject*, std::string name, const TSearchFileData& data, bool& cont)
    {
        const char flags[] = {data.IsDirectory ? 'd' : '-', data.IsReadOnly ? 'r' : '-', data.IsHidden ? 'h' : '-',
                              data.IsSystem ? 's' : '-', data.IsArchive ? 'a' : '-', '\0'};
        const std::string time = data.LastWriteTimeValid ? DateTimeToText(data.LastWriteTime) : "-";
        std::printf("file\t%s\t%lld\t%s\t%s\n", name.c_str(), static_cast<long long>(data.Size), flags, time.c_str());
        if (FOptions.StopAfter > 0 && ++FFinds == FOptions.StopAfter)
            cont = false;
    }

    void FindDir(TObject*, std::string name, const TSearchFileData&, bool& skip, bool& ignoreSubDir)
    {
        std::printf("dir\t%s\n", name.c_str());
        if (FOptions.Skip.count(name))
            skip = true;
        if (FOptions.IgnoreSubDir.count(name))
            ignoreSubDir = true;
    }

private:
    const Options& FOptions;
    long long FFinds = 0;
};

}

int main(int argc, char** argv)
{
    SetCommandLine(argc, argv);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    try {
        TReporter reporter(options);
        TSearchFile finder(nullptr);
        finder.SetDirectory(options.Directory);
        finder.SetRecursive(options.Recursive);
        finder.SetSearchName(options.Mask);
        finder.OnFind = TFindFileEvent(&reporter, &TReporter::Find);
        finder.OnFindDir = TFindDirEvent(&reporter, &TReporter::FindDir);
        const bool result = finder.Search();
        std::printf("result\t%s\n", result ? "True" : "False");
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "searchfile: %s\n", e.what());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
