#include "platform/classes/TObject.h"

#include "platform/classes/TypeInfo.h"

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo i;
        i.Name = "TObject";
        return i;
    }();
    return info;
}

const std::string& TObject::ClassName() const
{
    return ClassType().Name;
}

bool TObject::InheritsFrom(const TClassInfo& info) const
{
    return ClassType().InheritsFrom(info);
}
