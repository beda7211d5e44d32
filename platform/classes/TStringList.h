#pragma once
// An unsorted list of strings; duplicates allowed.
// Index errors raise EListError with the index; nothing reads out of range.

#include <string>
#include <vector>

#include "platform/classes/TPersistent.h"

class TStringList : public TPersistent {
    RUPINAKO_CLASS(TStringList)
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    int Add(const std::string& s);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    int IndexOf(const std::string& s) const;   // -1 when absent
    void Assign(TPersistent* source) override;

private:
    void CheckIndex(int index) const;
    std::vector<std::string> FItems;
};
