#include "platform/graphics/JpegEncoder.h"

#include <cstdlib>

#include <jerror.h>

extern "C" {

static JpegEncoder::Destination* DestinationOf(j_compress_ptr cinfo)
{
    return reinterpret_cast<JpegEncoder::Destination*>(cinfo->dest);
}

static void InitDestination(j_compress_ptr cinfo)
{
    JpegEncoder::Destination* d = DestinationOf(cinfo);
    const std::size_t initial = 64 * 1024;
    d->Data = static_cast<unsigned char*>(std::malloc(initial));
    if (!d->Data)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    d->Capacity = initial;
    d->Size = 0;
    d->Base.next_output_byte = d->Data;
    d->Base.free_in_buffer = initial;
}

// libjpeg calls this when the whole buffer is full.
static boolean EmptyOutputBuffer(j_compress_ptr cinfo)
{
    JpegEncoder::Destination* d = DestinationOf(cinfo);
    std::size_t grown = d->Capacity * 2;
    auto* data = static_cast<unsigned char*>(std::realloc(d->Data, grown));
    if (!data)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    d->Data = data;
    d->Base.next_output_byte = data + d->Capacity;
    d->Base.free_in_buffer = grown - d->Capacity;
    d->Capacity = grown;
    return TRUE;
}

static void TermDestination(j_compress_ptr cinfo)
{
    JpegEncoder::Destination* d = DestinationOf(cinfo);
    d->Size = d->Capacity - d->Base.free_in_buffer;
}

}

JpegEncoder::JpegEncoder()
{
    FInfo.err = FErrors.Install();
    try {
        Create();
    } catch (...) {
        jpeg_destroy_compress(&FInfo);
        throw;
    }
    FDestination.Base.init_destination = InitDestination;
    FDestination.Base.empty_output_buffer = EmptyOutputBuffer;
    FDestination.Base.term_destination = TermDestination;
    FInfo.dest = &FDestination.Base;
}

JpegEncoder::~JpegEncoder()
{
    jpeg_destroy_compress(&FInfo);
    std::free(FDestination.Data);
}

void JpegEncoder::Create()
{
    JPEG_GUARD(FErrors);
    jpeg_create_compress(&FInfo);
}

std::string JpegEncoder::Encode(int width, int height, int quality, const RowSource& rowAt)
{
    // Negative sizes would wrap to huge unsigned ones; libjpeg rejects zero.
    FInfo.image_width = width > 0 ? static_cast<JDIMENSION>(width) : 0;
    FInfo.image_height = height > 0 ? static_cast<JDIMENSION>(height) : 0;
    FInfo.input_components = 3;
    FInfo.in_color_space = JCS_RGB;
    JPEG_GUARD(FErrors);
    jpeg_set_defaults(&FInfo);
    FInfo.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&FInfo, quality, TRUE);
    jpeg_start_compress(&FInfo, TRUE);
    while (FInfo.next_scanline < FInfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rowAt(static_cast<int>(FInfo.next_scanline)));
        jpeg_write_scanlines(&FInfo, &row, 1);
    }
    jpeg_finish_compress(&FInfo);
    return std::string(reinterpret_cast<const char*>(FDestination.Data), FDestination.Size);
}
