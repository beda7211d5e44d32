#include "platform/classes/TStringList.h"

#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

const TClassInfo& TStringList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", TPersistent::StaticClassInfo()).Build();
    return info;
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(Format(SListIndexError, {index}));
}

const std::string& TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<std::size_t>(index)];
}

int TStringList::Add(const std::string& s)
{
    FItems.push_back(s);
    return Count() - 1;
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

int TStringList::IndexOf(const std::string& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<std::size_t>(i)] == s)
            return i;
    return -1;
}

void TStringList::Assign(TPersistent* source)
{
    if (auto* list = dynamic_cast<TStringList*>(source)) {
        FItems = list->FItems;
        return;
    }
    TPersistent::Assign(source);
}
