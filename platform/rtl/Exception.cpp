#include "platform/rtl/Exception.h"

void Abort()
{
    throw EAbort("Operation aborted");
}
