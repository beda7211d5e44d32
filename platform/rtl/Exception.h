#pragma once
// The exception family of the class library.
//
// Every failure the system reports is one of these, carrying the exact text
// the user sees (see Messages.h for the texts and Format.h for filling them).
// EAbort is the silent exception: the search components use it to stop a walk
// and catch it themselves; the application's message handling never shows it.
//
// Usage: throw EFOpenError(Format(SFOpenError, {path}));
//        Abort();   // throws EAbort

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message = {}) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }
    // The class library's class name ("EFOpenError"), for diagnostics and tests.
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string FMessage;
};

#define RUPINAKO_EXCEPTION(Name, Base)                                          \
    class Name : public Base {                                                  \
    public:                                                                     \
        using Base::Base;                                                       \
        const char* ClassName() const noexcept override { return #Name; }       \
    }

RUPINAKO_EXCEPTION(EAbort, Exception);
RUPINAKO_EXCEPTION(EConvertError, Exception);
RUPINAKO_EXCEPTION(EStreamError, Exception);
RUPINAKO_EXCEPTION(EFOpenError, EStreamError);
RUPINAKO_EXCEPTION(EFCreateError, EStreamError);
RUPINAKO_EXCEPTION(EReadError, EStreamError);
RUPINAKO_EXCEPTION(EWriteError, EStreamError);
RUPINAKO_EXCEPTION(EClassNotFound, EReadError);
RUPINAKO_EXCEPTION(EResNotFound, Exception);
RUPINAKO_EXCEPTION(EInvalidGraphic, Exception);
RUPINAKO_EXCEPTION(EInvalidOperation, Exception);
RUPINAKO_EXCEPTION(EListError, Exception);
RUPINAKO_EXCEPTION(EOutOfResources, Exception);

// A libjpeg failure: the message is "JPEG エラー #<code>", Code() the library's message code.
class EJPEG : public Exception {
public:
    EJPEG(std::string message, int code) : Exception(std::move(message)), FCode(code) {}
    int Code() const noexcept { return FCode; }
    const char* ClassName() const noexcept override { return "EJPEG"; }

private:
    int FCode;
};

// Raises the silent EAbort.
[[noreturn]] void Abort();
