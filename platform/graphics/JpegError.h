#pragma once
// libjpeg's error reporting, turned into EJPEG (private to the graphics layer).
//
// libjpeg reports a fatal error by calling error_exit, which must not return.
// Throwing a C++ exception through libjpeg's C frames is not safe, so
// error_exit records the message code and longjmps back to a setjmp placed
// right before the libjpeg call (JPEG_GUARD); the code after the jump destroys
// nothing by hand and raises EJPEG "JPEG エラー #<code>".
//
// Rules for a guarded function: JPEG_GUARD(manager) comes after every local
// with a destructor, and no such local is created or changed between it and
// the libjpeg calls it protects. Warnings never raise: they are counted by
// libjpeg and otherwise ignored; libjpeg never prints anything.
//
// Usage:
//   JpegErrorManager errors;
//   cinfo.err = errors.Install();
//   JPEG_GUARD(errors);
//   jpeg_read_header(&cinfo, TRUE);

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

struct JpegErrorManager {
    jpeg_error_mgr Base;   // first, so that libjpeg's jpeg_error_mgr* is this object
    std::jmp_buf Jump;
    int Code = 0;

    // Fills Base with libjpeg's defaults and our handlers; returns &Base.
    jpeg_error_mgr* Install();
};

// Raises EJPEG with libjpeg's message code.
[[noreturn]] void RaiseJpegError(int code);

// Jumps back here on a libjpeg error and raises it as EJPEG.
#define JPEG_GUARD(manager)                     \
    do {                                        \
        if (setjmp((manager).Jump))             \
            RaiseJpegError((manager).Code);     \
    } while (false)
