#include "components/search/TSearchFile.h"

#include "components/search/BusyScope.h"
#include "components/search/SearchPaths.h"
#include "platform/classes/TypeInfo.h"
#include "platform/os/ScopedFind.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FilePath.h"

const TClassInfo& TSearchFile::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSearchFile>("TSearchFile", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Str("Directory", &TSearchFile::Directory, &TSearchFile::SetDirectory)
                                       .Bool("Recursive", &TSearchFile::Recursive, &TSearchFile::SetRecursive, false)
                                       .Str("SearchName", &TSearchFile::SearchName, &TSearchFile::SetSearchName)
                                       .Event("OnFind", &TSearchFile::OnFind)
                                       .Event("OnFindDir", &TSearchFile::OnFindDir)
                                       .Build();
    return info;
}

TSearchFile::TSearchFile(TComponent* owner) : TComponent(owner), FSearchDir(new TSearchDir(this))
{
    FSearchDir->OnFind = TSearchDirEvent(this, &TSearchFile::SearchDirOnFind);
}

// FDirList goes with the members; the walker then goes with the owned
// components in ~TComponent.
TSearchFile::~TSearchFile() = default;

void TSearchFile::DoFind(const std::string& name, const TSearchFileData& data, bool& cont)
{
    if (!Assigned(OnFind))
        return;
    // Copies of the event too: a handler may assign a new one while it runs.
    const TFindFileEvent handler = OnFind;
    const TSearchFileData copy = data;
    handler(this, name, copy, cont);
}

void TSearchFile::DoFindDir(const std::string& name, const TSearchFileData& data, bool& skip, bool& ignoreSubDir)
{
    if (!Assigned(OnFindDir))
        return;
    const TFindDirEvent handler = OnFindDir;
    const TSearchFileData copy = data;
    handler(this, name, copy, skip, ignoreSubDir);
}

void TSearchFile::SearchDirOnFind(TObject*, std::string name, const TSearchFileData& data, bool& ignoreSubDir,
                                  bool&)
{
    bool skip = false;
    DoFindDir(name, data, skip, ignoreSubDir);
    if (!skip)
        FDirList.Add(name);
}

bool TSearchFile::Search()
{
    if (FBusy || !Assigned(OnFind))
        return false;
    BusyScope busy(FBusy);
    FDirList.Clear();
    bool cont = true;
    try {
        if (FRecursive) {
            FSearchDir->SetBaseDir(FDirectory);
            FSearchDir->Search();
        } else {
            FDirList.Add(ExpandFileName(FDirectory));
        }
        const std::string mask = FSearchName.empty() ? std::string("*.*") : FSearchName;
        for (int i = 0; i < FDirList.Count(); ++i) {
            const std::string directory = FDirList[i];
            SearchOneDirectory(directory, mask, cont);
        }
    } catch (const EAbort&) {
        return false;
    }
    return true;
}

void TSearchFile::SearchOneDirectory(const std::string& directory, const std::string& mask, bool& cont)
{
    // Only an empty non-recursive Directory gets here empty; it has no
    // folder to list (joining a delimiter would search the root instead).
    if (directory.empty())
        return;
    const std::string dir = WithTrailingBackslash(directory);
    ScopedFind find;
    WIN32_FIND_DATAA entry;
    for (bool ok = find.First(dir + mask, entry); ok; ok = find.Next(entry)) {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        TSearchFileData data;
        FillSearchFileData(entry, data);
        DoFind(dir + name, data, cont);
        if (!cont)
            Abort();
    }
}
