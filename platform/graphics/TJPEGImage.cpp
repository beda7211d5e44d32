#include "platform/graphics/TJPEGImage.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <jerror.h>

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/JpegDecoder.h"
#include "platform/graphics/JpegEncoder.h"
#include "platform/graphics/TBitmap.h"
#include "platform/os/SafeFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

struct TJPEGImage::TImageData {
    std::string Stream;   // the JPEG file's bytes; empty for pixels assigned from a bitmap
    TBitmap Pixels;
};

namespace {

// The whole file in one buffer, read in as few calls as the system allows.
// Raises EFOpenError for anything that is not a readable regular file.
std::string ReadStreamFile(const std::string& fileName, std::size_t limit)
{
    auto fail = [&]() -> std::string { throw EFOpenError(Format(SFOpenError, {fileName})); };
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail();
    struct Closer {
        int Fd;
        ~Closer() { ::close(Fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return fail();
    if (static_cast<std::uint64_t>(info.st_size) > limit)
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
    // One spare byte shows whether the file grew since fstat.
    std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > limit)
                RaiseJpegError(JERR_IMAGE_TOO_BIG);
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail();
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
}

// Decodes a JPEG stream into pixels: 8-bit with the grey palette for
// greyscale files, 24-bit blue-green-red for everything else.
void Decode(const std::string& stream, TBitmap& pixels)
{
    JpegDecoder decoder(stream);
    decoder.Start();
    if (decoder.Indexed()) {
        pixels.SetPixelFormat(pf8bit);
        pixels.SetPalette(decoder.Palette());
    } else {
        pixels.SetPixelFormat(pf24bit);
    }
    pixels.SetSize(decoder.Width(), decoder.Height());
    for (int y = 0; y < decoder.Height(); ++y) {
        auto* row = static_cast<std::uint8_t*>(pixels.ScanLine(y));
        decoder.ReadRow(row);
        if (!decoder.Indexed())
            for (int x = 0; x < decoder.Width(); ++x, row += 3)
                std::swap(row[0], row[2]);
    }
}

}   // namespace

const TClassInfo& TJPEGImage::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TJPEGImage>("TJPEGImage", TGraphic::StaticClassInfo()).Build();
    return info;
}

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return FImage ? FImage->Pixels.Width() : 0; }
int TJPEGImage::Height() const { return FImage ? FImage->Pixels.Height() : 0; }
bool TJPEGImage::Empty() const { return !FImage || FImage->Pixels.Empty(); }

void TJPEGImage::SetWidth(int value)
{
    if (value != Width())
        throw EInvalidGraphic(SChangeJPEGSize);
}

void TJPEGImage::SetHeight(int value)
{
    if (value != Height())
        throw EInvalidGraphic(SChangeJPEGSize);
}

void TJPEGImage::SetCompressionQuality(int value)
{
    FCompressionQuality = std::clamp(value, 1, 100);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect)
{
    if (!Empty())
        FImage->Pixels.Draw(canvas, rect);
}

void TJPEGImage::LoadStream(std::string&& stream)
{
    auto image = std::make_shared<TImageData>();
    image->Stream = std::move(stream);
    Decode(image->Stream, image->Pixels);
    FImage = std::move(image);
    Changed(this);
}

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    // Read here rather than through TGraphic, so that the only copy of the
    // file's bytes is the stream the image keeps.
    LoadStream(ReadStreamFile(fileName, MaxStreamBytes));
}

void TJPEGImage::LoadFromBytes(std::string_view bytes)
{
    if (bytes.size() > MaxStreamBytes)
        RaiseJpegError(JERR_IMAGE_TOO_BIG);
    LoadStream(std::string(bytes));
}

std::string TJPEGImage::Encode() const
{
    if (Empty()) {
        // libjpeg's own verdict on an image without pixels.
        RaiseJpegError(JERR_EMPTY_IMAGE);
    }
    const TBitmap& pixels = FImage->Pixels;
    const TPixelSurface surface = pixels.Surface();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(pixels.Width()) * 3);
    JpegEncoder encoder;
    return encoder.Encode(pixels.Width(), pixels.Height(), FCompressionQuality, [&](int y) {
        std::uint8_t* out = rgb.data();
        if (surface.BitsPerPixel == 24) {
            const std::uint8_t* in = surface.Row(y);
            for (int x = 0; x < surface.Width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        } else {
            for (int x = 0; x < surface.Width; ++x, out += 3) {
                std::uint32_t word = ReadPixelWord(surface, x, y);
                out[0] = static_cast<std::uint8_t>(word >> 16);
                out[1] = static_cast<std::uint8_t>(word >> 8);
                out[2] = static_cast<std::uint8_t>(word);
            }
        }
        return static_cast<const std::uint8_t*>(rgb.data());
    });
}

std::string TJPEGImage::SaveToBytes()
{
    if (FImage && !FImage->Stream.empty())
        return FImage->Stream;
    return Encode();
}

void TJPEGImage::SaveToFile(const std::string& fileName)
{
    // The whole file is made in memory first: a failure to encode never
    // touches the disk.
    if (FImage && !FImage->Stream.empty())
        WriteFileSafely(fileName, FImage->Stream);
    else
        WriteFileSafely(fileName, Encode());
    SetModified(false);
}

void TJPEGImage::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        FImage.reset();
        Changed(this);
        return;
    }
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
        FImage = jpeg->FImage;
        FCompressionQuality = jpeg->FCompressionQuality;
        Changed(this);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        auto image = std::make_shared<TImageData>();
        image->Pixels.Assign(bitmap);
        image->Pixels.SetPixelFormat(pf24bit);
        image->Pixels.SetTransparent(false);
        FImage = std::move(image);
        Changed(this);
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(FImage ? &FImage->Pixels : nullptr);
        return;
    }
    TGraphic::AssignTo(dest);
}
