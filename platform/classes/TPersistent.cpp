#include "platform/classes/TPersistent.h"

#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

const TClassInfo& TPersistent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", TObject::StaticClassInfo()).Build();
    return info;
}

void TPersistent::Assign(TPersistent* source)
{
    if (source)
        source->AssignTo(this);
    else
        AssignTo(nullptr);   // assigning nothing is an error unless a class says otherwise
}

void TPersistent::AssignTo(TPersistent* dest)
{
    std::string sourceName = ClassName();
    std::string destName = dest ? dest->ClassName() : std::string("nil");
    if (!dest) {
        // Called as Assign(nullptr) on this object: report nil as the source.
        destName = sourceName;
        sourceName = "nil";
    }
    throw EConvertError(Format(SAssignError, {sourceName, destName}));
}
