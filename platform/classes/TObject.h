#pragma once
// The root of the class hierarchy. Every class that forms, the streaming
// system or messages see derives from it and names itself with
// RUPINAKO_CLASS(TName), which declares the class's run-time type record
// (TClassInfo, see TypeInfo.h); its .cpp defines TName::StaticClassInfo().
//
// Objects are deleted with delete; a TComponent also deletes what it owns.

#include <string>

struct TClassInfo;

#define RUPINAKO_CLASS(Name)                                                              \
public:                                                                                   \
    static const TClassInfo& StaticClassInfo();                                           \
    const TClassInfo& ClassType() const override { return Name::StaticClassInfo(); }      \
                                                                                          \
private:

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassType() const { return StaticClassInfo(); }
    // The class's name as forms store it ("TSearchFile").
    const std::string& ClassName() const;
    // True when this object's class is info or derives from it.
    bool InheritsFrom(const TClassInfo& info) const;
};
