#include "platform/graphics/TCanvas.h"

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <vector>

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/StretchMap.h"
#include "platform/graphics/TFont.h"
#include "platform/graphics/TGraphic.h"

const TClassInfo& TCanvas::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", TPersistent::StaticClassInfo()).Build();
    return info;
}

namespace {

// A ternary raster operation on pixel words: bit i of the operation's index
// byte is the result for pattern, source and destination bits (P S D) = i.
std::uint32_t ApplyRop(unsigned index, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    switch (index) {
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0x66: return s ^ d;
    case 0xEE: return s | d;
    case 0xF0: return p;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    default: break;
    }
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (index >> i & 1)
            r |= (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
    }
    return r & 0xFFFFFF;
}

unsigned RopIndex(std::uint32_t rop) { return rop >> 16 & 0xFF; }
bool RopUsesSource(unsigned index) { return ((index >> 2) & 0x33) != (index & 0x33); }
bool RopUsesDest(unsigned index) { return ((index >> 1) & 0x55) != (index & 0x55); }

bool IsBlackWhitePalette(const TPixelSurface& s)
{
    return s.BitsPerPixel == 1 && s.PaletteSize == 2 && (s.Palette[0] & 0xFFFFFF) == 0 &&
           (s.Palette[1] & 0xFFFFFF) == 0xFFFFFF;
}

// Dash patterns of the pen styles, as alternating on/off run lengths.
const std::vector<int>* DashPattern(TPenStyle style)
{
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash: return &dash;
    case psDot: return &dot;
    case psDashDot: return &dashDot;
    case psDashDotDot: return &dashDotDot;
    default: return nullptr;
    }
}

// Floor division for a positive divisor.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}   // namespace

TCanvas::TCanvas() : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {}

TCanvas::TCanvas(std::uint32_t* pixels, int width, int height, std::ptrdiff_t strideBytes) : TCanvas()
{
    SetSurface(pixels, width, height, strideBytes);
}

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(std::uint32_t* pixels, int width, int height, std::ptrdiff_t strideBytes)
{
    TPixelSurface s;
    s.Bits = reinterpret_cast<std::uint8_t*>(pixels);
    s.Width = std::max(width, 0);
    s.Height = std::max(height, 0);
    s.Stride = strideBytes ? strideBytes : static_cast<std::ptrdiff_t>(s.Width) * 4;
    s.BitsPerPixel = 32;
    FSurface = s;
}

void TCanvas::SetSurface(const TPixelSurface& surface) { FSurface = surface; }

const TPixelSurface& TCanvas::Surface()
{
    RequireSurface();
    return FSurface;
}

void TCanvas::SetOrigin(TPoint origin) { FOrigin = origin; }

void TCanvas::SetClipRect(const TRect& clip) { FClip = clip; }

void TCanvas::ResetClipRect() { FClip.reset(); }

TRect TCanvas::SurfaceClip()
{
    TRect r{0, 0, FSurface.Bits ? FSurface.Width : 0, FSurface.Bits ? FSurface.Height : 0};
    if (FClip) {
        TRect c = *FClip;
        OffsetRect(c, FOrigin.X, FOrigin.Y);
        r = IntersectRects(r, c);
    }
    return r;
}

TRect TCanvas::ClipRect()
{
    RequireSurface();
    TRect r = SurfaceClip();
    if (r.IsEmpty())
        return {};
    OffsetRect(r, -FOrigin.X, -FOrigin.Y);
    return r;
}

void TCanvas::Changed()
{
    if (Assigned(OnChange))
        OnChange(this);
}

void TCanvas::FillSurfaceRect(TRect r, std::uint32_t word)
{
    r = IntersectRects(r, SurfaceClip());
    if (r.IsEmpty())
        return;
    for (int y = r.Top; y < r.Bottom; ++y) {
        if (FSurface.BitsPerPixel == 32) {
            auto* row = reinterpret_cast<std::uint32_t*>(FSurface.Row(y));
            std::fill(row + r.Left, row + r.Right, word & 0xFFFFFF);
        } else {
            for (int x = r.Left; x < r.Right; ++x)
                WritePixelWord(FSurface, x, y, word);
        }
    }
}

// Offsets a canvas rectangle to surface coordinates, saturating so that huge
// coordinates cannot overflow.
static TRect ToSurface(const TRect& r, TPoint origin)
{
    auto add = [](int a, int b) {
        std::int64_t v = static_cast<std::int64_t>(a) + b;
        return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {add(r.Left, origin.X), add(r.Top, origin.Y), add(r.Right, origin.X), add(r.Bottom, origin.Y)};
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::PlotPen(int sx, int sy, const TRect& clip, std::uint32_t word)
{
    int w = std::max(FPen->Width(), 1);
    if (w == 1) {
        if (clip.Contains({sx, sy}))
            WritePixelWord(FSurface, sx, sy, word);
        return;
    }
    int half = (w - 1) / 2;
    FillSurfaceRect(Bounds(sx - half, sy - half, w, w), word);
}

void TCanvas::LineTo(int x, int y)
{
    TPoint from = FPenPos;
    FPenPos = {x, y};
    if (FPen->Style() == psClear)
        return;
    RequireSurface();
    std::uint32_t word = ColorToPixelWord(FPen->Color());
    const std::vector<int>* dashes = FPen->Width() <= 1 ? DashPattern(FPen->Style()) : nullptr;
    int penExtent = std::max(FPen->Width(), 1);
    TRect clip = SurfaceClip();
    if (clip.IsEmpty())
        return;

    // Pixel i of the line (0 <= i < n, the end point excluded) steps once
    // along the major axis and rounds the minor axis to the nearest pixel,
    // which is what an incremental line walk gives. The walk is limited to
    // the steps whose major coordinate can reach the clip, so a line of any
    // length costs at most the clip's extent.
    std::int64_t x0 = static_cast<std::int64_t>(from.X) + FOrigin.X, y0 = static_cast<std::int64_t>(from.Y) + FOrigin.Y;
    std::int64_t x1 = static_cast<std::int64_t>(x) + FOrigin.X, y1 = static_cast<std::int64_t>(y) + FOrigin.Y;
    std::int64_t dx = x1 - x0, dy = y1 - y0;
    bool xMajor = std::llabs(dx) >= std::llabs(dy);
    std::int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (n == 0)
        return;
    std::int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
    std::int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    std::int64_t minorDelta = xMajor ? dy : dx;
    std::int64_t lo = (xMajor ? clip.Left : clip.Top) - penExtent, hi = (xMajor ? clip.Right : clip.Bottom) + penExtent;
    // Steps i with lo <= major0 + i * majorStep < hi.
    std::int64_t iFirst, iLast;
    if (majorStep > 0) {
        iFirst = lo - major0;
        iLast = hi - 1 - major0;
    } else {
        iFirst = major0 - (hi - 1);
        iLast = major0 - lo;
    }
    iFirst = std::max<std::int64_t>(iFirst, 0);
    iLast = std::min<std::int64_t>(iLast, n - 1);
    for (std::int64_t i = iFirst; i <= iLast; ++i) {
        if (dashes) {
            std::int64_t period = 0;
            for (int len : *dashes)
                period += len;
            std::int64_t phase = i % period;
            bool on = true;
            for (int len : *dashes) {
                if (phase < len)
                    break;
                phase -= len;
                on = !on;
            }
            if (!on)
                continue;
        }
        std::int64_t major = major0 + i * majorStep;
        std::int64_t minor = minor0 + FloorDiv(2 * i * minorDelta + n, 2 * n);
        std::int64_t px = xMajor ? major : minor, py = xMajor ? minor : major;
        if (px < INT32_MIN || px > INT32_MAX || py < INT32_MIN || py > INT32_MAX)
            continue;
        PlotPen(static_cast<int>(px), static_cast<int>(py), clip, word);
    }
    Changed();
}

void TCanvas::FillRect(const TRect& rect)
{
    if (FBrush->Style() == bsClear)
        return;
    RequireSurface();
    FillSurfaceRect(ToSurface(rect, FOrigin), ColorToPixelWord(FBrush->Color()));
    Changed();
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (FBrush->Style() == bsClear || rect.IsEmpty())
        return;
    RequireSurface();
    TRect r = ToSurface(rect, FOrigin);
    std::uint32_t word = ColorToPixelWord(FBrush->Color());
    FillSurfaceRect({r.Left, r.Top, r.Right, r.Top + 1}, word);
    FillSurfaceRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, word);
    FillSurfaceRect({r.Left, r.Top, r.Left + 1, r.Bottom}, word);
    FillSurfaceRect({r.Right - 1, r.Top, r.Right, r.Bottom}, word);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    RequireSurface();
    TRect r = ToSurface({x1, y1, x2, y2}, FOrigin);
    bool brush = FBrush->Style() != bsClear;
    std::uint32_t brushWord = ColorToPixelWord(FBrush->Color());
    if (FPen->Style() == psClear) {
        if (brush)
            FillSurfaceRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, brushWord);
        Changed();
        return;
    }
    // FIXME: a pen wider than 1 draws its outline inside the rectangle rather
    // than centred on it; nothing in the program uses wide rectangle pens.
    int w = std::max(FPen->Width(), 1);
    if (brush)
        FillSurfaceRect({r.Left + w, r.Top + w, r.Right - w, r.Bottom - w}, brushWord);
    std::uint32_t penWord = ColorToPixelWord(FPen->Color());
    if (!r.IsEmpty()) {
        FillSurfaceRect({r.Left, r.Top, r.Right, std::min(r.Top + w, r.Bottom)}, penWord);
        FillSurfaceRect({r.Left, std::max(r.Bottom - w, r.Top), r.Right, r.Bottom}, penWord);
        FillSurfaceRect({r.Left, r.Top, std::min(r.Left + w, r.Right), r.Bottom}, penWord);
        FillSurfaceRect({std::max(r.Right - w, r.Left), r.Top, r.Right, r.Bottom}, penWord);
    }
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    graphic->Draw(this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    StretchBlt(dest, source, sourceRect, FCopyMode);
}

void TCanvas::BitBlt(int x, int y, int width, int height, TCanvas* source, int sourceX, int sourceY, std::uint32_t rop)
{
    StretchBlt(Bounds(x, y, width, height), source, Bounds(sourceX, sourceY, width, height), rop);
}

void TCanvas::StretchBlt(const TRect& dest, TCanvas* source, const TRect& sourceRect, std::uint32_t rop)
{
    if (source) {
        const TPixelSurface& s = source->Surface();
        StretchSurface(dest, s, ToSurface(sourceRect, source->FOrigin), rop);
        return;
    }
    unsigned index = RopIndex(rop);
    if (RopUsesSource(index))
        return;
    // An operation of pattern and destination alone needs no source.
    RequireSurface();
    TRect r = IntersectRects(ToSurface(dest, FOrigin), SurfaceClip());
    std::uint32_t p = ColorToPixelWord(FBrush->Color());
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            WritePixelWord(FSurface, x, y, ApplyRop(index, p, 0, ReadPixelWord(FSurface, x, y)));
    Changed();
}

void TCanvas::StretchSurface(const TRect& dest, const TPixelSurface& sourceSurface, const TRect& sourceRect,
                             std::uint32_t rop, std::optional<std::uint32_t> transparentWord)
{
    RequireSurface();
    std::int64_t dw = static_cast<std::int64_t>(dest.Right) - dest.Left;
    std::int64_t dh = static_cast<std::int64_t>(dest.Bottom) - dest.Top;
    std::int64_t sw = static_cast<std::int64_t>(sourceRect.Right) - sourceRect.Left;
    std::int64_t sh = static_cast<std::int64_t>(sourceRect.Bottom) - sourceRect.Top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || sourceSurface.IsEmpty() || dw < INT32_MIN / 2 || dw > INT32_MAX / 2 ||
        dh < INT32_MIN / 2 || dh > INT32_MAX / 2 || sw < INT32_MIN / 2 || sw > INT32_MAX / 2 || sh < INT32_MIN / 2 ||
        sh > INT32_MAX / 2)
        return;
    bool flipX = (dw < 0) != (sw < 0), flipY = (dh < 0) != (sh < 0);
    TRect d = ToSurface({std::min(dest.Left, dest.Right), std::min(dest.Top, dest.Bottom),
                         std::max(dest.Left, dest.Right), std::max(dest.Top, dest.Bottom)},
                        FOrigin);
    int tw = static_cast<int>(std::llabs(dw)), th = static_cast<int>(std::llabs(dh));
    int srcW = static_cast<int>(std::llabs(sw)), srcH = static_cast<int>(std::llabs(sh));
    int srcLeft = std::min(sourceRect.Left, sourceRect.Right), srcTop = std::min(sourceRect.Top, sourceRect.Bottom);
    TRect visible = IntersectRects(d, SurfaceClip());
    if (visible.IsEmpty())
        return;

    // Source columns of the visible target columns; -1 where the source lies
    // outside its surface.
    std::vector<int> columns(static_cast<std::size_t>(visible.Width()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        int i = x - d.Left;
        int sx = srcLeft + StretchSourceIndex(flipX ? tw - 1 - i : i, tw, srcW);
        columns[static_cast<std::size_t>(x - visible.Left)] = sx >= 0 && sx < sourceSurface.Width ? sx : -1;
    }

    // Copying within one surface reads from a snapshot, so that overlapping
    // rectangles copy the pixels as they were.
    TPixelSurface source = sourceSurface;
    std::vector<std::uint8_t> snapshot;
    if (source.Bits == FSurface.Bits) {
        std::size_t bytes = static_cast<std::size_t>(std::abs(source.Stride)) * static_cast<std::size_t>(source.Height);
        std::uint8_t* first = source.Stride >= 0 ? source.Bits : source.Bits + (source.Height - 1) * source.Stride;
        snapshot.assign(first, first + bytes);
        source.Bits = source.Stride >= 0 ? snapshot.data() : snapshot.data() + (source.Height - 1) * -source.Stride;
    }

    unsigned index = RopIndex(rop);
    bool usesDest = RopUsesDest(index);
    std::uint32_t pattern = ColorToPixelWord(FBrush->Color());
    bool expandMono = IsBlackWhitePalette(source);
    std::uint32_t foreground = ColorToPixelWord(FTextColor), background = ColorToPixelWord(FBkColor);
    bool fastCopy = index == 0xCC && !transparentWord && source.BitsPerPixel == 32 && FSurface.BitsPerPixel == 32;

    for (int y = visible.Top; y < visible.Bottom; ++y) {
        int i = y - d.Top;
        int sy = srcTop + StretchSourceIndex(flipY ? th - 1 - i : i, th, srcH);
        if (sy < 0 || sy >= source.Height)
            continue;
        if (fastCopy) {
            const auto* srcRow = reinterpret_cast<const std::uint32_t*>(source.Row(sy));
            auto* dstRow = reinterpret_cast<std::uint32_t*>(FSurface.Row(y));
            for (int x = visible.Left; x < visible.Right; ++x) {
                int sx = columns[static_cast<std::size_t>(x - visible.Left)];
                if (sx >= 0)
                    dstRow[x] = srcRow[sx] & 0xFFFFFF;
            }
            continue;
        }
        for (int x = visible.Left; x < visible.Right; ++x) {
            int sx = columns[static_cast<std::size_t>(x - visible.Left)];
            if (sx < 0)
                continue;
            std::uint32_t s = ReadPixelWord(source, sx, sy);
            if (transparentWord && s == (*transparentWord & 0xFFFFFF))
                continue;
            if (expandMono)
                s = s ? background : foreground;
            std::uint32_t dword = usesDest ? ReadPixelWord(FSurface, x, y) : 0;
            WritePixelWord(FSurface, x, y, ApplyRop(index, pattern, s, dword));
        }
    }
    Changed();
}

TColor TCanvas::Pixels(int x, int y)
{
    RequireSurface();
    std::int64_t sx = static_cast<std::int64_t>(x) + FOrigin.X, sy = static_cast<std::int64_t>(y) + FOrigin.Y;
    TRect clip = SurfaceClip();
    if (sx < clip.Left || sx >= clip.Right || sy < clip.Top || sy >= clip.Bottom)
        return CLR_INVALID;
    return PixelWordToColor(ReadPixelWord(FSurface, static_cast<int>(sx), static_cast<int>(sy)));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    RequireSurface();
    std::int64_t sx = static_cast<std::int64_t>(x) + FOrigin.X, sy = static_cast<std::int64_t>(y) + FOrigin.Y;
    TRect clip = SurfaceClip();
    if (sx < clip.Left || sx >= clip.Right || sy < clip.Top || sy >= clip.Bottom)
        return;
    WritePixelWord(FSurface, static_cast<int>(sx), static_cast<int>(sy), ColorToPixelWord(color));
    Changed();
}

TFont* TCanvas::Font()
{
    if (!FFont)
        FFont = std::make_unique<TFont>();
    return static_cast<TFont*>(FFont.get());
}

void TCanvas::SetFont(TFont* font) { Font()->Assign(font); }
