#include "platform/graphics/TPicture.h"

#include <functional>

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TJPEGImage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FilePath.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

// The picture formats: file extensions (lower case) and the class that reads them.
struct GraphicFormat {
    const char* Extensions[2];   // unused places are null
    const TClassInfo& (*Class)();
    std::unique_ptr<TGraphic> (*Create)();
};

const GraphicFormat Formats[] = {
    {{"bmp", nullptr}, &TBitmap::StaticClassInfo, [] { return std::unique_ptr<TGraphic>(new TBitmap); }},
    {{"jpg", "jpeg"}, &TJPEGImage::StaticClassInfo, [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
};

std::string AsciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

const GraphicFormat* FormatForExtension(const std::string& extension)
{
    std::string lower = AsciiLower(extension);
    for (const GraphicFormat& f : Formats)
        for (const char* e : f.Extensions)
            if (e && lower == e)
                return &f;
    return nullptr;
}

const GraphicFormat* FormatForClass(const TClassInfo& info)
{
    for (const GraphicFormat& f : Formats)
        if (&f.Class() == &info)
            return &f;
    return nullptr;
}

}   // namespace

const TClassInfo& TPicture::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPicture>("TPicture", TPersistent::StaticClassInfo()).Build();
    return info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::Replace(std::unique_ptr<TGraphic> graphic)
{
    if (graphic)
        graphic->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    FGraphic = std::move(graphic);
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* value)
{
    if (!value) {
        if (FGraphic)
            Replace(nullptr);
        return;
    }
    if (value == FGraphic.get())
        return;
    const GraphicFormat* format = FormatForClass(value->ClassType());
    if (!format)
        throw EInvalidGraphic(Format(SUnknownGraphicClass, {value->ClassName()}));
    std::unique_ptr<TGraphic> copy = format->Create();
    copy->Assign(value);
    Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        return bitmap;
    Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    std::string extension = ExtractFileExt(fileName);
    if (!extension.empty())
        extension.erase(0, 1);   // the dot
    const GraphicFormat* format = FormatForExtension(extension);
    if (!format)
        throw EInvalidGraphic(Format(SUnknownExtension, {extension}));
    std::unique_ptr<TGraphic> graphic = format->Create();
    graphic->LoadFromFile(fileName);
    Replace(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName)
{
    if (!FGraphic)
        throw EInvalidGraphic(SNoPictureToSave);
    FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest)
{
    if (auto* graphic = dynamic_cast<TGraphic*>(dest)) {
        graphic->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

void TPicture::GraphicChanged(TObject*)
{
    Changed(this);
}

void TPicture::Changed(TObject*)
{
    if (Assigned(OnChange))
        OnChange(this);
}
