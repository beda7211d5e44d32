#pragma once
// TCanvas: drawing on a surface of pixels.
//
// A canvas draws onto a TPixelSurface: a bitmap's pixels (TBitmap::Canvas())
// or any 32-bit 0x00RRGGBB buffer given with SetSurface, such as a form's
// client-area buffer. The canvas never owns the surface's memory.
//   Origin: canvas coordinate (0, 0) lies at surface pixel Origin(), so a
//     windowless control draws in its own coordinates on its form's buffer.
//   ClipRect: in canvas coordinates; nothing outside it, or outside the
//     surface, is ever touched. By default the whole surface is the clip.
//
// Drawing follows the platform's rules:
//   MoveTo/LineTo: a line paints its start pixel, not its end pixel; PenPos
//     moves to the end.
//   FillRect(r): the brush over r (nothing for bsClear). FrameRect(r): a
//     one-pixel border of r in the brush colour.
//   Rectangle(x1, y1, x2, y2): outline with the pen on x1..x2-1, y1..y2-1,
//     inside filled with the brush; with psClear the brush fills
//     x1..x2-2, y1..y2-2 instead.
//   CopyRect(dest, source, sourceRect) and StretchBlt copy pixels with the
//     raster operation (CopyMode): target column x of a target w wide takes
//     source column (2x + 1) * sw / (2w), rows likewise (StretchMap.h);
//     pixels are repeated or dropped, never blended. A negative width or
//     height of one rectangle mirrors. Pixels whose source lies outside the
//     source surface are left as they are.
//   Draw(x, y, g) / StretchDraw(r, g): the graphic paints itself (TGraphic::Draw).
//   Pixels(x, y): the colour there, or -1 (CLR_INVALID) outside the surface
//     or clip; SetPixels outside is ignored.
// Raster operations are the ternary codes of the platform (pattern = the
// brush colour, source, destination). A 1-bit black/white source expands
// its 0 pixels to TextColor and its 1 pixels to BkColor (black and white by
// default); other sources go through their palette.
//
// Every drawing operation fires OnChange (a bitmap's canvas also tells its
// bitmap). Pen, Brush and Font are owned by the canvas; SetPen/SetBrush/
// SetFont copy the given object's attributes.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/PixelSurface.h"
#include "platform/graphics/TBrush.h"
#include "platform/graphics/TPen.h"
#include "platform/graphics/Types.h"

class TFont;
class TGraphic;

using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

constexpr TColor CLR_INVALID = -1;

class TCanvas : public TPersistent {
    RUPINAKO_CLASS(TCanvas)
public:
    TCanvas();
    // A canvas over a 32-bit buffer (strideBytes 0: width * 4).
    TCanvas(std::uint32_t* pixels, int width, int height, std::ptrdiff_t strideBytes = 0);
    ~TCanvas() override;

    // The surface, origin and clip.
    void SetSurface(std::uint32_t* pixels, int width, int height, std::ptrdiff_t strideBytes = 0);
    void SetSurface(const TPixelSurface& surface);
    const TPixelSurface& Surface();
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint origin);
    TRect ClipRect();
    void SetClipRect(const TRect& clip);
    // Clip back to the whole surface.
    void ResetClipRect();

    TPen* Pen() { return FPen.get(); }
    void SetPen(TPen* pen) { FPen->Assign(pen); }
    TBrush* Brush() { return FBrush.get(); }
    void SetBrush(TBrush* brush) { FBrush->Assign(brush); }
    // The canvas's font (TFont.h); the text functions of the graphics layer draw with it.
    TFont* Font();
    void SetFont(TFont* font);
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode value) { FCopyMode = value; }
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor value) { FTextColor = value; }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor value) { FBkColor = value; }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint pos) { FPenPos = pos; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    void BitBlt(int x, int y, int width, int height, TCanvas* source, int sourceX, int sourceY, std::uint32_t rop);
    void StretchBlt(const TRect& dest, TCanvas* source, const TRect& sourceRect, std::uint32_t rop);
    // Stretches sourceRect of a surface (surface coordinates) into dest with
    // rop; when transparentWord is given, source pixels of that pixel word
    // are skipped. Graphics draw themselves through this.
    void StretchSurface(const TRect& dest, const TPixelSurface& source, const TRect& sourceRect, std::uint32_t rop,
                        std::optional<std::uint32_t> transparentWord = std::nullopt);

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    TNotifyEvent OnChange;

protected:
    // Called before every drawing operation; a bitmap's canvas refreshes its
    // surface here, since the bitmap may have changed its buffer.
    virtual void RequireSurface() {}
    // Called after every drawing operation; fires OnChange.
    virtual void Changed();

private:
    TRect SurfaceClip();
    void FillSurfaceRect(TRect surfaceRect, std::uint32_t word);
    void PlotPen(int sx, int sy, const TRect& clip, std::uint32_t word);

    TPixelSurface FSurface;
    TPoint FOrigin;
    std::optional<TRect> FClip;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPersistent> FFont;   // a TFont, held by its base so this header needs no TFont.h
    TCopyMode FCopyMode = cmSrcCopy;
    TColor FTextColor = clBlack;
    TColor FBkColor = clWhite;
    TPoint FPenPos;
};
