#include "Platform/Foundation/TextEncoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <memory>

namespace foundation {

namespace {

const char* converterName(StringEncoding encoding) {
    switch (encoding) {
        case StringEncoding::UTF8:
            return "UTF-8";
        case StringEncoding::ASCII:
            return "US-ASCII";
        case StringEncoding::ISOLatin1:
            return "ISO-8859-1";
        case StringEncoding::WindowsCP1252:
            return "windows-1252";
        case StringEncoding::MacOSRoman:
            return "macintosh";
        case StringEncoding::UTF16:
            return "UTF-16";
        case StringEncoding::UTF16BigEndian:
            return "UTF-16BE";
        case StringEncoding::UTF16LittleEndian:
            return "UTF-16LE";
    }
    return "UTF-8";
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

}  // namespace

std::optional<std::string> decodedText(std::span<const std::uint8_t> bytes, StringEncoding encoding) {
    if (bytes.size() >= static_cast<std::size_t>(INT32_MAX)) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(converterName(encoding), &status));
    if (U_FAILURE(status)) return std::nullopt;
    // Invalid or unmapped bytes end the conversion with an error instead of becoming U+FFFD.
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) return std::nullopt;
    icu::UnicodeString text;
    const std::size_t capacity = bytes.size() + 1;
    char16_t* buffer = text.getBuffer(static_cast<int32_t>(capacity));
    if (buffer == nullptr) return std::nullopt;
    const int32_t length = ucnv_toUChars(converter.get(), buffer, static_cast<int32_t>(capacity),
                                         reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<int32_t>(bytes.size()), &status);
    text.releaseBuffer(U_SUCCESS(status) ? length : 0);
    if (U_FAILURE(status)) return std::nullopt;
    std::string out;
    return text.toUTF8String(out);
}

}  // namespace foundation
