#pragma once
// TSearchDir: walks a directory tree from BaseDir and reports every directory
// of it through OnFind, the base first, then level by level (breadth first),
// each level in enumeration order (names sorted as FindFile.h says). Files
// are never reported.
//
// For each report the handler gets the directory's full path (the base as
// ExpandFileName gives it, every other one as parent + "/" + name, never with
// a doubled "/"), its entry record, IgnoreSubDir (False on entry; True keeps
// the walk out of this directory's sub-directories) and Continue (True on
// entry; False stops the walk at once). A base that ends in "/" (the root
// "/" too) has no entry of its own and is reported with an empty record.
//
// No directory is reached twice: the walk remembers the (device, inode) of
// every directory it has reported, and a later path to one of them (a link
// to a folder already seen, a link cycle) is passed over without a report.
// So every walk ends, and nothing below is listed twice.
//
// Search() returns True when the walk ran to its end; False when it did not
// start (already searching, OnFind unassigned, BaseDir not found) or was
// stopped (Continue False, or a handler raising EAbort). Any other exception
// passes to the caller. Busy() is False again however Search ends, and every
// enumeration it opened is closed. A directory that cannot be listed is
// reported but contributes no sub-directories.
//
// Ownership: a component like any other; the walker owns its queue.

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <utility>

#include "components/search/SearchFileData.h"
#include "platform/classes/TComponent.h"
#include "platform/classes/TEvent.h"

// (Sender, Name, Data, IgnoreSubDir, Continue)
using TSearchDirEvent = TEvent<TObject*, std::string, const TSearchFileData&, bool&, bool&>;

class TSearchDir : public TComponent {
    RUPINAKO_CLASS(TSearchDir)
public:
    explicit TSearchDir(TComponent* owner);
    ~TSearchDir() override;

    bool Search();

    const std::string& BaseDir() const { return FBaseDir; }
    void SetBaseDir(const std::string& value) { FBaseDir = value; }
    bool Busy() const { return FBusy; }

    TSearchDirEvent OnFind;

protected:
    // Fires OnFind with this walker as Sender and copies of name and data;
    // does nothing (leaving both flags as they are) when OnFind is unassigned.
    virtual void DoFind(const std::string& name, const TSearchFileData& data, bool& ignoreSubDir, bool& cont);

private:
    using FileIdentity = std::pair<std::uint64_t, std::uint64_t>;   // device, inode

    void Walk(const std::string& full);

    // First in, first out: full paths of directories whose sub-directories
    // are still to be listed.
    std::deque<std::string> FPendingDirs;
    std::set<FileIdentity> FReached;
    std::string FBaseDir;
    bool FBusy = false;
};
