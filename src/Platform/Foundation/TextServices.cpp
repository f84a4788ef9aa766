#include "Platform/Foundation/TextServices.h"

#include "Platform/Foundation/CharacterClusters.h"
#include "Platform/Foundation/IcuText.h"

#include <unicode/brkiter.h>
#include <unicode/dcfmtsym.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <memory>

namespace foundation {
namespace {

using icutext::unicode;

// Calls `f(scalar)` for every scalar of `text`; ill-formed sequences give U+FFFD.
template <typename F>
void forEachScalar(std::string_view text, F&& f) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        f(c < 0 ? char32_t{0xFFFD} : static_cast<char32_t>(c));
    }
}

bool isAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

}  // namespace

std::string wellFormedUtf8(std::string_view text) {
    if (isWellFormedUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    forEachScalar(text, [&](char32_t c) { out += utf8(c); });
    return out;
}

bool isWellFormedUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

std::vector<std::size_t> characterBoundaries(std::string_view text) {
    std::vector<std::size_t> out;
    if (text.empty()) return out;
    UErrorCode status = U_ZERO_ERROR;
    UText* ut = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    std::unique_ptr<icu::BreakIterator> it(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_SUCCESS(status)) {
        it->setText(ut, status);
        for (int32_t b = it->first(); U_SUCCESS(status) && b != icu::BreakIterator::DONE; b = it->next())
            if (b >= 0 && static_cast<std::size_t>(b) <= text.size())
                out.push_back(static_cast<std::size_t>(b));
    }
    it.reset();
    utext_close(ut);
    if (U_FAILURE(status) || out.empty() || out.back() != text.size()) {
        // Without break rules every scalar stands for itself.
        out.clear();
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        const auto length = static_cast<int32_t>(text.size());
        for (int32_t i = 0; i < length;) {
            out.push_back(static_cast<std::size_t>(i));
            UChar32 c = 0;
            U8_NEXT(bytes, i, length, c);
        }
        out.push_back(text.size());
    }
    return out;
}

std::vector<std::string> characters(std::string_view input) {
    const std::string text = wellFormedUtf8(input);
    const std::vector<std::string_view> clusters = characterClusters(text);
    return std::vector<std::string>(clusters.begin(), clusters.end());
}

std::size_t characterCount(std::string_view text) {
    return characters(text).size();
}

std::u32string scalars(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    forEachScalar(text, [&](char32_t c) { out.push_back(c); });
    return out;
}

std::string utf8(char32_t scalar) {
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = 0xFFFD;
    uint8_t buffer[4];
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(scalar));
    return std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

std::string utf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) out += utf8(c);
    return out;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += utf8(static_cast<char32_t>(b));
    return out;
}

std::string lowercased(std::string_view text) {
    return icutext::utf8(unicode(text).toLower(icu::Locale::getRoot()));
}

std::string uppercased(std::string_view text) {
    return icutext::utf8(unicode(text).toUpper(icu::Locale::getRoot()));
}

std::string capitalized(std::string_view text) {
    std::string out;
    bool wordStart = true;
    for (const std::string& c : characters(text)) {
        const char32_t first = scalars(c).front();
        if (isMember(first, CharacterClass::WhitespacesAndNewlines)) {
            out += c;
            wordStart = true;
            continue;
        }
        icu::UnicodeString u = unicode(c);
        if (wordStart)
            u.toTitle(nullptr, icu::Locale::getRoot(), U_TITLECASE_NO_BREAK_ADJUSTMENT);
        else
            u.toLower(icu::Locale::getRoot());
        out += icutext::utf8(u);
        wordStart = false;
    }
    return out;
}

std::string foldingDiacritics(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return wellFormedUtf8(text);
    const icu::UnicodeString decomposed = nfd->normalize(unicode(text), status);
    if (U_FAILURE(status)) return wellFormedUtf8(text);
    const icu::UnicodeString kept = icutext::withoutNonSpacingMarks(decomposed);
    const icu::UnicodeString out = nfc->normalize(kept, status);
    return U_SUCCESS(status) ? icutext::utf8(out) : icutext::utf8(kept);
}

std::string composed(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return wellFormedUtf8(text);
    const icu::UnicodeString out = nfc->normalize(unicode(text), status);
    return U_SUCCESS(status) ? icutext::utf8(out) : wellFormedUtf8(text);
}

bool isMember(char32_t scalar, CharacterClass characterClass) {
    const auto c = static_cast<UChar32>(scalar);
    const auto mask = U_GET_GC_MASK(c);
    switch (characterClass) {
        case CharacterClass::Letters:
            return (mask & (U_GC_L_MASK | U_GC_M_MASK)) != 0;
        case CharacterClass::DecimalDigits:
            return (mask & U_GC_ND_MASK) != 0;
        case CharacterClass::Alphanumerics:
            return (mask & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
        case CharacterClass::WhitespacesAndNewlines:
            return (c >= 0x09 && c <= 0x0D) || c == 0x85 || (mask & U_GC_Z_MASK) != 0;
        case CharacterClass::Punctuation:
            return (mask & U_GC_P_MASK) != 0;
        case CharacterClass::UrlHostAllowed:
            if (c >= 0x80) return false;
            return u_isalnum(c) ||
                   std::u32string_view(U"!$&'()*+,-.:;=[]_~").find(scalar) != std::u32string_view::npos;
    }
    return false;
}

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    std::string current;
    bool pending = false;  // a line has started (possibly empty) that no terminator has closed yet
    const std::u32string s = scalars(text);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c == U'\n' || c == U'\r' || c == 0x85 || c == 0x2028 || c == 0x2029) {
            if (c == U'\r' && i + 1 < s.size() && s[i + 1] == U'\n') ++i;
            out.push_back(std::move(current));
            current.clear();
            pending = false;
        } else {
            current += utf8(c);
            pending = true;
        }
    }
    if (pending) out.push_back(std::move(current));
    return out;
}

int compareNumerically(std::string_view left, std::string_view right) {
    const std::u32string a = scalars(left);
    const std::u32string b = scalars(right);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            // Compare the digit runs by value: skip leading zeros, then the longer run is larger,
            // else the first differing digit decides.
            std::size_t ei = i, ej = j;
            while (ei < a.size() && isAsciiDigit(a[ei])) ++ei;
            while (ej < b.size() && isAsciiDigit(b[ej])) ++ej;
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == U'0') ++si;
            while (sj + 1 < ej && b[sj] == U'0') ++sj;
            if (ei - si != ej - sj) return ei - si < ej - sj ? -1 : 1;
            for (; si < ei; ++si, ++sj)
                if (a[si] != b[sj]) return a[si] < b[sj] ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

std::string decimalSeparator(const std::string& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(icutext::locale(localeId), status);
    if (U_FAILURE(status)) return ".";
    return icutext::utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
}

}  // namespace foundation
