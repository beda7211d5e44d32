#include "platform/graphics/JpegError.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

extern "C" {

static void JpegErrorExit(j_common_ptr cinfo)
{
    // Base is the first member, so the error manager is the whole object.
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    manager->Code = cinfo->err->msg_code;
    std::longjmp(manager->Jump, 1);
}

// A desktop program has no console to report to: warnings and traces are
// dropped; errors reach the user as EJPEG.
static void JpegOutputMessage(j_common_ptr) {}

}

jpeg_error_mgr* JpegErrorManager::Install()
{
    jpeg_std_error(&Base);
    Base.error_exit = JpegErrorExit;
    Base.output_message = JpegOutputMessage;
    Code = 0;
    return &Base;
}

void RaiseJpegError(int code)
{
    throw EJPEG(Format(SJPEGError, {static_cast<std::int64_t>(code)}), code);
}
