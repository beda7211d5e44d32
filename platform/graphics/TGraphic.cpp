#include "platform/graphics/TGraphic.h"

#include <cstdint>

#include "platform/classes/TypeInfo.h"
#include "platform/os/ReadWholeFile.h"
#include "platform/os/SafeFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

const TClassInfo& TGraphic::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGraphic>("TGraphic", TPersistent::StaticClassInfo()).Build();
    return info;
}

void TGraphic::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Changed(this);
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    std::string bytes;
    ReadWholeFile(fileName, SIZE_MAX, bytes);   // no limit: never returns false
    LoadFromBytes(bytes);
}

void TGraphic::SaveToFile(const std::string& fileName)
{
    WriteFileSafely(fileName, SaveToBytes());
    FModified = false;
}

void TGraphic::Changed(TObject*)
{
    FModified = true;
    if (Assigned(OnChange))
        OnChange(this);
}
