#pragma once
// TSearchFile: finds the entries whose names match SearchName in Directory
// or, with Recursive, in Directory and every directory below it, and reports
// each match through OnFind with its full path and entry record.
//
// A recursive search runs in two phases: first its own TSearchDir walks the
// whole tree (see TSearchDir.h: breadth first, no directory twice), offering
// each directory to OnFindDir, where Skip leaves that directory's own entries
// out and IgnoreSubDir keeps the walk out of its sub-directories; only then
// are the collected directories listed, in walk order, and the matches
// reported in enumeration order. A non-recursive search lists Directory
// alone and never calls OnFindDir. "." and ".." are never reported; anything
// else that matches is, a directory included (IsDirectory True).
//
// SearchName "" means "*.*" (every entry). Name is the directory's full path
// + "/" + the entry's long name, never with a doubled "/".
//
// Search() returns True when it ran to its end; False when it did not start
// (already searching, OnFind unassigned) or was stopped (a handler leaving
// Continue False, or raising EAbort). An EAbort from OnFindDir ends only the
// walk: the directories collected so far are still searched. Any other
// exception passes to the caller. Busy() is False again however Search ends,
// and every enumeration it opened is closed. A directory that cannot be
// listed gives no matches; the search goes on. A non-recursive search of an
// empty Directory reports nothing and returns True, as a recursive one does.
//
// Ownership: the finder owns its walker (an owned component) and its list.

#include <string>

#include "components/search/SearchFileData.h"
#include "components/search/TSearchDir.h"
#include "platform/classes/TComponent.h"
#include "platform/classes/TEvent.h"
#include "platform/classes/TStringList.h"

// (Sender, Name, Data, Continue)
using TFindFileEvent = TEvent<TObject*, std::string, const TSearchFileData&, bool&>;
// (Sender, Name, Data, Skip, IgnoreSubDir)
using TFindDirEvent = TEvent<TObject*, std::string, const TSearchFileData&, bool&, bool&>;

class TSearchFile : public TComponent {
    RUPINAKO_CLASS(TSearchFile)
public:
    explicit TSearchFile(TComponent* owner);
    ~TSearchFile() override;

    bool Search();

    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& value) { FDirectory = value; }
    bool Recursive() const { return FRecursive; }
    void SetRecursive(bool value) { FRecursive = value; }
    const std::string& SearchName() const { return FSearchName; }
    void SetSearchName(const std::string& value) { FSearchName = value; }
    bool Busy() const { return FBusy; }

    TFindFileEvent OnFind;
    TFindDirEvent OnFindDir;

protected:
    // Fire OnFind / OnFindDir with this finder as Sender and copies of name
    // and data; do nothing (leaving the flags as they are) when unassigned.
    virtual void DoFind(const std::string& name, const TSearchFileData& data, bool& cont);
    virtual void DoFindDir(const std::string& name, const TSearchFileData& data, bool& skip, bool& ignoreSubDir);

private:
    // The walker's OnFind for its whole life: offers the directory to
    // OnFindDir and collects it unless skipped. Never stops the walk.
    void SearchDirOnFind(TObject* sender, std::string name, const TSearchFileData& data, bool& ignoreSubDir,
                         bool& cont);
    void SearchOneDirectory(const std::string& directory, const std::string& mask, bool& cont);

    TSearchDir* FSearchDir;    // owned as a component
    TStringList FDirList;      // directories to list, in search order
    std::string FDirectory;
    bool FRecursive = false;
    bool FBusy = false;
    std::string FSearchName;
};
