#include "components/search/TSearchDir.h"

#include "components/search/BusyScope.h"
#include "components/search/SearchPaths.h"
#include "platform/classes/TypeInfo.h"
#include "platform/os/FileAttributes.h"
#include "platform/os/FindFile.h"
#include "platform/os/ScopedFind.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FilePath.h"

#include <cstring>

const TClassInfo& TSearchDir::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSearchDir>("TSearchDir", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Str("BaseDir", &TSearchDir::BaseDir, &TSearchDir::SetBaseDir)
                                       .Event("OnFind", &TSearchDir::OnFind)
                                       .Build();
    return info;
}

TSearchDir::TSearchDir(TComponent* owner) : TComponent(owner) {}

TSearchDir::~TSearchDir() = default;

void TSearchDir::DoFind(const std::string& name, const TSearchFileData& data, bool& ignoreSubDir, bool& cont)
{
    if (!Assigned(OnFind))
        return;
    // The handler gets its own copies: it may change what this walker holds,
    // OnFind included (a new handler takes the next report), so the event
    // that runs is a copy too.
    const TSearchDirEvent handler = OnFind;
    const TSearchFileData copy = data;
    handler(this, name, copy, ignoreSubDir, cont);
}

bool TSearchDir::Search()
{
    if (FBusy || !Assigned(OnFind))
        return false;
    const std::string full = ExpandFileName(FBaseDir);
    if (GetFileAttributesA(full.c_str()) & 0x80000000u)
        return false;

    BusyScope busy(FBusy);
    try {
        Walk(full);
    } catch (const EAbort&) {
        FPendingDirs.clear();
        FReached.clear();
        return false;
    } catch (...) {
        FPendingDirs.clear();
        FReached.clear();
        throw;
    }
    FReached.clear();
    return true;
}

void TSearchDir::Walk(const std::string& full)
{
    FPendingDirs.clear();
    FReached.clear();
    bool cont = true;
    bool ignoreSubDir = false;

    {
        // The base's own entry. Its last component is taken literally ("*"
        // is an ordinary character in a Linux name); a base ending in "/" has
        // no entry and gets an empty record.
        WIN32_FIND_DATAA entry;
        std::memset(&entry, 0, sizeof entry);
        GetFileEntryA(full.c_str(), &entry);
        TSearchFileData data;
        FillSearchFileData(entry, data);
        FileIdentity id {};
        if (GetFileIdentityA(full.c_str(), &id.first, &id.second))
            FReached.insert(id);
        DoFind(full, data, ignoreSubDir, cont);
    }
    if (!cont)
        Abort();
    if (!ignoreSubDir)
        FPendingDirs.push_back(full);

    while (!FPendingDirs.empty()) {
        const std::string cur = WithTrailingBackslash(FPendingDirs.front());
        FPendingDirs.pop_front();
        ScopedFind find;
        WIN32_FIND_DATAA entry;
        for (bool ok = find.First(cur + "*.*", entry); ok; ok = find.Next(entry)) {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                continue;
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (!FReached.insert(FileIdentity(entry.ullDevice, entry.ullInode)).second)
                continue;
            const std::string path = cur + name;
            ignoreSubDir = false;
            TSearchFileData data;
            FillSearchFileData(entry, data);
            DoFind(path, data, ignoreSubDir, cont);
            if (!cont)
                Abort();
            if (!ignoreSubDir)
                FPendingDirs.push_back(path);
        }
    }
}
