// Loads arbitrary bytes as a BMP file. The only acceptable failure is
// EInvalidGraphic; a loaded bitmap is also drawn, saved and loaded again, so
// that whatever the reader accepts is safe for the rest of the layer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/rtl/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    // Drawing and round trips on pictures of at most a million pixels, to keep runs fast.
    if (static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height() <= 1000000) {
        TBitmap tile;
        tile.SetSize(7, 5);
        bitmap.SetTransparent(size % 2 == 0);
        tile.Canvas()->StretchDraw(Rect(0, 0, 7, 5), &bitmap);
        TBitmap again;
        again.LoadFromBytes(bitmap.SaveToBytes());
        if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height())
            std::abort();
    }
    return 0;
}
