#include "components/search/SearchFileRegister.h"

#include "components/search/TSearchDir.h"
#include "components/search/TSearchFile.h"
#include "platform/classes/ComponentRegistry.h"

void Register()
{
    RegisterComponents("Rupinako", {&TSearchDir::StaticClassInfo(), &TSearchFile::StaticClassInfo()});
}
