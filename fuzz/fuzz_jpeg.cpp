// Loads arbitrary bytes as a JPEG file. The only acceptable failure is EJPEG;
// a loaded image is also drawn, turned into a bitmap, encoded and decoded
// again, so that whatever libjpeg accepts is safe for the rest of the layer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/graphics/JpegDecoder.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TJPEGImage.h"
#include "platform/rtl/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        // Decoding a few bytes' worth of garbage over a huge frame only spends
        // time; the limits on sizes have their own tests. Fuzz the header alone then.
        {
            JpegDecoder header(bytes);
            if (static_cast<std::int64_t>(header.Width()) * header.Height() > 1000000)
                return 0;
        }
        TJPEGImage image;
        image.LoadFromBytes(bytes);
        TBitmap tile;
        tile.SetSize(7, 5);
        tile.Canvas()->StretchDraw(Rect(0, 0, 7, 5), &image);
        TBitmap pixels;
        pixels.Assign(&image);
        TJPEGImage encoded;
        encoded.Assign(&pixels);
        encoded.SetCompressionQuality(static_cast<int>(size % 100) + 1);
        TJPEGImage again;
        again.LoadFromBytes(encoded.SaveToBytes());
        if (again.Width() != image.Width() || again.Height() != image.Height())
            std::abort();
    } catch (const EJPEG&) {
    }
    return 0;
}
