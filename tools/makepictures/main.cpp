// makepictures DIRECTORY COUNT WIDTH HEIGHT [bmp|jpg]
//
// A developer tool for benchmarks and demonstrations: writes COUNT pictures
// of WIDTH × HEIGHT pixels (smooth gradients, each its own hue) into
// DIRECTORY as picture0001.jpg … (JPEG of quality 90, the default) or .bmp
// (24 bits). The folder must exist. Exit status 0, 1 on a failure (its
// message on standard error), 2 for bad usage.

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TJPEGImage.h"
#include "platform/rtl/Exception.h"

namespace {

int Usage()
{
    std::fputs("usage: makepictures DIRECTORY COUNT WIDTH HEIGHT [bmp|jpg]\n", stderr);
    return 2;
}

void Paint(TBitmap& bitmap, int index)
{
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x) {
            // 24-bit rows are blue, green, red.
            row[3 * x] = static_cast<std::uint8_t>((x * 255 / bitmap.Width() + index * 40) % 256);
            row[3 * x + 1] = static_cast<std::uint8_t>((y * 255 / bitmap.Height() + index * 90) % 256);
            row[3 * x + 2] = static_cast<std::uint8_t>((index * 67 + (x ^ y) % 64) % 256);
        }
    }
}

}

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6)
        return Usage();
    std::string dir = argv[1];
    int count = std::atoi(argv[2]), width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    std::string kind = argc == 6 ? argv[5] : "jpg";
    if (count < 0 || width <= 0 || height <= 0 || (kind != "jpg" && kind != "bmp"))
        return Usage();
    try {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(width, height);
        for (int i = 1; i <= count; ++i) {
            Paint(bitmap, i);
            char name[32];
            std::snprintf(name, sizeof name, "/picture%04d.%s", i, kind.c_str());
            if (kind == "bmp") {
                bitmap.SaveToFile(dir + name);
            } else {
                TJPEGImage jpeg;
                jpeg.Assign(&bitmap);
                jpeg.SaveToFile(dir + name);
            }
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "makepictures: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
