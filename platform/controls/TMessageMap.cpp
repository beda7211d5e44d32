#include "platform/controls/TMessageMap.h"

bool DispatchThroughMap(const TMessageMap* map, TObject* self, TMessage& message)
{
    for (; map; map = map->Parent) {
        auto it = map->Handlers.find(message.Msg);
        if (it != map->Handlers.end()) {
            it->second(self, message);
            return true;
        }
    }
    return false;
}
