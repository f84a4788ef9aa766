// Every format the job reads, with each fault a file can arrive with, through every path that reads
// it (a job on two presets, the image info at collection, the thumbnail): the verdict each must give.
// A decoder other than libvips reads every file first, so each is what its row says it is.

#include <gtest/gtest.h>
#include <tiffio.h>

#include <vips/vips8>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "GreyTiff.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/Thumbnail.h"
#include "RunBatch.h"
#include "Support/ImageSurgery.h"
#include "Support/JpegEncoding.h"
#include "Support/JpegPadding.h"
#include "Support/OtherDecoders.h"
#include "Support/StripTiffs.h"
#include "Support/TempDir.h"
#include "TestImages.h"

using testsupport::TempDir;

namespace {

enum class Verdict {
    Valid,    // done at the preset's size, with image info and a thumbnail
    Damaged,  // broken pixel data: skipped as damaged, nothing written, no thumbnail
    // Broken pixel data whose decoder, through libvips, says only that it failed: skipped as not
    // decoded, in its words, never as damaged and never done; no thumbnail.
    Undecoded,
    PastLimit,  // a valid header past a decoder's own limit: not supported, naming the limit
    // A compression the decoders here do not implement: not supported, naming the scheme; no thumbnail.
    NotImplemented,
};

struct Cell {
    std::string format;   // as a user names it
    std::string fault;    // what was done to the file
    std::string decoder;  // the image info's name of the format, and the outside decoder's
    std::string bytes;
    Verdict verdict = Verdict::Valid;
    std::pair<int, int> size = {900, 700};  // as the header says
    std::string limit;  // for PastLimit: the limit's number, in digits; for NotImplemented, the scheme's
    // The file before it was damaged or padded, for a file the outside decoder reads with no more than a
    // word of bytes it skipped or of an end it met early: its pixels, compared with the original's, tell.
    std::string original;

    std::string label() const { return format + " x " + fault; }
    std::string fileName() const {
        std::string name = format + "-" + fault;
        for (auto& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : '-';
        return name + "." + (decoder == "heif" ? format == "AVIF" ? "avif" : "heic" : decoder);
    }
};

Cell cell(std::string format, std::string fault, std::string decoder, std::string bytes,
          Verdict verdict = Verdict::Valid, std::pair<int, int> size = {900, 700}, std::string limit = {}) {
    return {std::move(format),
            std::move(fault),
            std::move(decoder),
            std::move(bytes),
            verdict,
            size,
            std::move(limit),
            {}};
}

// An XMP packet `size` bytes long, mostly the white space its format allows.
std::string xmpPacket(std::size_t size) {
    const std::string head =
        "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?><x:xmpmeta xmlns:x='adobe:ns:meta/'>";
    const std::string tail = "</x:xmpmeta><?xpacket end='w'?>";
    return head + std::string(size - head.size() - tail.size(), ' ') + tail;
}

// Extended XMP segments (each a GUID, the full length and an offset before its part) carrying
// `size` bytes, after a main packet that points to them.
std::string extendedXmpSegments(std::size_t size) {
    const std::string guid = "0123456789ABCDEF0123456789ABCDEF";
    const std::string main = "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') +
                             "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
                             "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description "
                             "xmlns:xmpNote='http://ns.adobe.com/xmp/note/' xmpNote:HasExtendedXMP='" +
                             guid + "'/></rdf:RDF></x:xmpmeta>";
    std::string segments = testsupport::jpegSegment('\xe1', main);
    const std::string extended = xmpPacket(size);
    constexpr std::size_t part = 65000;
    for (std::size_t at = 0; at < extended.size(); at += part) {
        segments += testsupport::jpegSegment(
            '\xe1', "http://ns.adobe.com/xmp/extension/" + std::string(1, '\0') + guid +
                        testsupport::be32(std::uint32_t(extended.size())) +
                        testsupport::be32(std::uint32_t(at)) + extended.substr(at, part));
    }
    return segments;
}

// Padding before every restart marker, more before some so that their first byte ends a 64 KB block
// of the file, where a reader going through it in such blocks has to look back across the block's end.
std::string restartPaddedAtBlockEnds(const std::string& jpeg) {
    std::string padded = testsupport::withPaddingBeforeRestarts(jpeg, std::string(11, '\x55'));
    for (std::size_t blockEnd = 64 * 1024 - 1; blockEnd + 1 < padded.size(); blockEnd += 64 * 1024) {
        // The last padded marker at or before the block's end is moved onto it.
        std::size_t marker = blockEnd;
        while (marker + 4096 > blockEnd && !(padded[marker - 1] == '\x55' && padded[marker] == '\xff' &&
                                             (std::uint8_t(padded[marker + 1]) & 0xf8) == 0xd0))
            --marker;
        if (marker + 4096 <= blockEnd) break;
        padded.insert(marker, blockEnd - marker, '\x55');
    }
    return padded;
}

// The pixels (of 3 bytes each) off by more than 30 levels in some channel; all when the sizes differ.
std::size_t garbledPixels(const std::vector<std::uint8_t>& pixels,
                          const std::vector<std::uint8_t>& original) {
    if (pixels.size() != original.size() || original.empty()) return std::max(pixels.size(), original.size());
    std::size_t garbled = 0;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
        bool off = false;
        for (std::size_t c = 0; c < 3; ++c)
            off = off || std::abs(int(pixels[i + c]) - int(original[i + c])) > 30;
        garbled += off;
    }
    return garbled;
}

// The outside judge of a damaged JPEG: libjpeg's own words of corrupt data, or, where it only skipped
// bytes or met the file's end, its pixels against the undamaged original's (more than a block of them
// garbled: with restart markers, damage stays inside one restart interval).
bool judgedGarbled(const std::string& jpeg, const std::string& original) {
    std::vector<std::uint8_t> pixels, originalPixels;
    const auto reading = testsupport::libjpegReading(jpeg, &pixels);
    if (!reading.whole) return true;
    if (reading.warnings == 0 || !testsupport::libjpegReading(original, &originalPixels).whole) return false;
    return garbledPixels(pixels, originalPixels) > 64;
}

// A baseline photo with a block of `kind` bytes written at a seeded place in its scan data, as failing
// discs and transfers leave them: random bytes (no 0xFF, so no marker), zeros, or bytes mostly of one
// bits (every bit set but one: where the codes run longest).
std::string withScanBlock(const std::string& jpeg, int kind, std::mt19937& seeded) {
    const std::size_t scan = jpeg.find("\xff\xda");
    const std::size_t start = scan + 2 + (std::uint8_t(jpeg[scan + 2]) << 8 | std::uint8_t(jpeg[scan + 3]));
    const std::size_t length = 16 + seeded() % 112;
    const std::size_t at = start + seeded() % (jpeg.size() - 2 - length - start);
    std::string damaged = jpeg;
    for (std::size_t i = 0; i < length; ++i) {
        const auto random = std::uint8_t(seeded() % 255);
        damaged[at + i] = char(kind == 0 ? random : kind == 1 ? 0 : ~(1 << random % 8));
    }
    return damaged;
}

// Noise around mid-grey (levels spread normally, 30 either side), 3 bytes a pixel, the same for the same
// `seed`: every block of its JPEG takes many codes, so a byte changed anywhere in its data shows.
std::string noiseRgb(int width, int height, std::uint32_t seed) {
    std::mt19937 seeded(seed);
    std::normal_distribution<double> level(128, 30);
    std::string rgb(std::size_t(width) * std::size_t(height) * 3, '\0');
    for (auto& byte : rgb) byte = char(std::clamp(int(std::lround(level(seeded))), 0, 255));
    return rgb;
}

// `file` with the `length` bytes before `at` set to `value`, as a copy preallocated and never finished
// or a failing disc leaves them.
std::string withRunBefore(std::string file, std::size_t at, std::size_t length, char value) {
    std::fill(file.begin() + std::ptrdiff_t(at - length), file.begin() + std::ptrdiff_t(at), value);
    return file;
}

// Where the marker that ends a JPEG's `n`th restart interval starts.
std::size_t restartMarkerAfter(const std::string& jpeg, int n) {
    for (std::size_t i = jpeg.find("\xff\xda"); i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == '\xff' && (std::uint8_t(jpeg[i + 1]) & 0xf8) == 0xd0 && --n == 0) return i;
    }
    return std::string::npos;
}

// `zeroedToEnd` (a JPEG whose last bytes, its end marker among them, are zeros) with as few of its
// zeros cut off as leave none that libjpeg skips: it takes the rest for image data up to the end, or as
// far as its look-ahead leaves it, and says no more than that the file ended.
std::string cutWhereDecodingStops(const std::string& zeroedToEnd, std::size_t zeros) {
    const auto skipsZeros = [&](std::size_t cut) {
        const auto reading = testsupport::libjpegReading(zeroedToEnd.substr(0, zeroedToEnd.size() - cut));
        return reading.whole && reading.warnings > 1;
    };
    // Cut nothing, it skips the zeros it did not decode; cut them all, its data ends part way.
    std::size_t skips = 0, none = zeros;
    while (none - skips > 1) {
        const std::size_t middle = (skips + none) / 2;
        (skipsZeros(middle) ? skips : none) = middle;
    }
    return zeroedToEnd.substr(0, zeroedToEnd.size() - none);
}

// The digits of `number` appear in `text`, with or without thousands separators.
bool names(const std::string& text, const std::string& number) {
    std::string grouped;
    for (std::size_t i = 0; i < number.size(); ++i) {
        if (i > 0 && (number.size() - i) % 3 == 0) grouped += ',';
        grouped += number[i];
    }
    return text.find(number) != std::string::npos || text.find(grouped) != std::string::npos;
}

// The rest of the first output line that starts with `start`, if any.
std::optional<std::string> lineAfter(const std::string& output, const std::string& start) {
    for (std::size_t at = 0; at < output.size();) {
        const std::size_t end = std::min(output.find('\n', at), output.size());
        if (output.compare(at, start.size(), start) == 0)
            return output.substr(at + start.size(), end - at - start.size());
        at = end + 1;
    }
    return std::nullopt;
}

const char* kindName(image::ReadFailure failure) {
    switch (failure) {
        case image::ReadFailure::NotAnImage:
            return "NotAnImage";
        case image::ReadFailure::Damaged:
            return "Damaged";
        case image::ReadFailure::Unsupported:
            return "Unsupported";
        case image::ReadFailure::NotAboutTheFile:
            return "NotAboutTheFile";
        case image::ReadFailure::Unreadable:
            return "Unreadable";
    }
    return "?";
}

}  // namespace

TEST(DecodeVerdicts, EveryFormatWithEveryFaultGetsItsVerdictOnEveryPath) {
    TempDir dir;
    // An encoder's own file, read back.
    const auto made = [&](const std::string& name, const std::string& options, int width, int height) {
        testsupport::writeTestImage(dir / ("made/" + name + options), width, height);
        return TempDir::read(dir / ("made/" + name));
    };
    const std::string jpeg = made("photo.jpg", "", 900, 700);
    const std::string restarts = made("restarts.jpg", "[restart_interval=1]", 900, 700);
    const std::string png = made("photo.png", "", 900, 700);
    const std::string storedPng = made("stored.png", "[compression=0]", 900, 700);
    const std::string tiff = made("photo.tif", "[compression=deflate]", 900, 700);
    const std::string webp = made("photo.webp", "", 900, 700);
    const std::string lossless = made("lossless.webp", "[lossless]", 900, 700);
    const std::string gif = made("photo.gif", "", 900, 700);
    const std::string heic = made("photo.heic", "[compression=hevc]", 900, 700);
    const std::string avif = made("photo.avif", "[compression=av1,effort=0]", 900, 700);
    // A smooth panorama, which its encoders take quickly.
    const auto panorama = [&](const std::string& name) {
        const auto ramp = vips::VImage::xyz(16500, 256).extract_band(0) * (255.0 / 16500);
        ramp.bandjoin(ramp)
            .bandjoin(ramp)
            .cast(VIPS_FORMAT_UCHAR)
            .write_to_file((dir / ("made/" + name)).c_str());
        return TempDir::read(dir / ("made/" + name.substr(0, name.find('['))));
    };
    const std::string wideHeic = panorama("panorama.heic[compression=hevc]");
    const std::string wideAvif = panorama("panorama.avif[compression=av1,effort=0]");
    const std::string rgb = [&] {
        const auto photo = vips::VImage::new_from_file((dir / "made/photo.png").c_str());
        std::size_t size = 0;
        void* pixels = photo.write_to_memory(&size);
        std::string bytes(static_cast<const char*>(pixels), size);
        g_free(pixels);
        return bytes;
    }();
    const std::string bmp = testsupport::bmpOf(rgb, 900, 700);
    const std::string progressive = made("progressive.jpg", "[interlace]", 900, 700);
    // Metadata that libjpeg's own reading keeps, as libvips' loader does.
    const std::string xmpSegment = "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') + xmpPacket(2000);
    // An IPTC block of one record (2:05, the object name) in a Photoshop resource.
    const std::string record("\x1c\x02\x05\x00\x08Skylines", 13);
    const std::string iptcSegment = "Photoshop 3.0" + std::string(1, '\0') + "8BIM\x04\x04" +
                                    std::string(2, '\0') + testsupport::be32(std::uint32_t(record.size())) +
                                    record;
    const std::string tagged = testsupport::withJpegSegmentsAtStart(
        jpeg, testsupport::jpegSegment('\xe1', xmpSegment) + testsupport::jpegSegment('\xed', iptcSegment));

    const std::string restartsPadded = restartPaddedAtBlockEnds(restarts);
    std::size_t paddedMarkers = 0, atBlockEnds = 0;
    for (std::size_t i = 1; i + 1 < restartsPadded.size(); ++i) {
        if (restartsPadded[i - 1] == '\x55' && restartsPadded[i] == '\xff' &&
            (std::uint8_t(restartsPadded[i + 1]) & 0xf8) == 0xd0) {
            ++paddedMarkers;
            atBlockEnds += (i + 1) % (64 * 1024) == 0;
        }
    }
    ASSERT_GT(paddedMarkers, 100u);
    ASSERT_GE(atBlockEnds, 2u);
    const std::size_t scan = jpeg.find("\xff\xda");
    ASSERT_NE(scan, std::string::npos);
    // A block of garbage in the middle of the scan, as a failing disc leaves it.
    std::string scanGarbage = jpeg;
    scanGarbage.replace((scan + jpeg.size()) / 2, 1024, testsupport::garbage(1024, 11));
    std::vector<coretest::TiffTag> privateTags;
    for (std::uint16_t tag = 65000; tag < 65150; ++tag)
        privateTags.push_back({tag, 3, 1, std::string{char(tag & 0xff), char(tag >> 8)}});
    const std::string grey = coretest::greyTiff(900, 700);
    // One deflate strip of garbage after its stream's header, as a failing disc or transfer leaves it.
    std::string garbageStrip = coretest::greyTiff(1920, 64, {{259, 3, 1, std::string("\x08\0", 2)}});
    garbageStrip.replace(garbageStrip.size() - 1920 * 64 * 3, 1920 * 64 * 3,
                         "\x78\x9c" + testsupport::garbage(1920 * 64 * 3 - 2, 7));
    // A grey line past libpng's own limit of 1,000,000 pixels a side.
    const std::string wideLine =
        testsupport::pngOf(20'000'000, 1, 0, std::string(1, '\0') + std::string(20'000'000, '\x80'));
    // The end markers are the files' last bytes.
    ASSERT_TRUE(png.ends_with(testsupport::pngChunk("IEND", "")) && gif.ends_with(";"));
    // One byte of a pixel changed in the stored (uncompressed) image data: only the stream's checksum
    // tells.
    const std::size_t storedData = storedPng.find("IDAT") + 4;
    const std::string storedChanged = testsupport::withPngImageDataOverwritten(
        storedPng, 2000, std::string(1, char(storedPng.at(storedData + 2000) ^ 0x5a)));
    // Four garbage bytes in the compressed image data that still inflate to rows of the right length
    // and filters: libpng finds only the stream's checksum wrong.
    const std::string checksumOnly = [&] {
        for (std::uint32_t seed = 1; seed < 400; ++seed) {
            auto changed = testsupport::withPngImageDataOverwritten(png, 3000, testsupport::garbage(4, seed));
            const auto judged = testsupport::readElsewhere(dir.write("made/checksum.png", changed));
            if (judged && judged->words.find("incorrect data check") != std::string::npos) return changed;
        }
        return std::string();
    }();
    ASSERT_FALSE(checksumOnly.empty()) << "no garbage that only the checksum tells";
    // An AVIF whose data starts with a unit header no encoder writes (its forbidden bit set), as a
    // failing disc leaves it: its AV1 decoder says so, by itself on standard error unless given a logger.
    std::string avifBroken = avif;
    avifBroken.replace(avif.find("mdat") + 4, 16, "\xff" + testsupport::garbage(15, 9));
    // A TIFF whose strip is in a compression scheme libtiff here does not decode.
    const auto compressedAs = [](std::uint16_t scheme) {
        return coretest::greyTiff(900, 700,
                                  {{259, 3, 1, std::string{char(scheme & 0xff), char(scheme >> 8)}}});
    };
    constexpr std::size_t kMetadata = 20 * 1000 * 1000;
    const std::string xmp = xmpPacket(kMetadata);
    // A noisy picture saved by libtiff in strips of 16 rows, three ways, and each with the middle of
    // its 13th strip overwritten as a failing disc leaves it: zeros in the deflate and PackBits data,
    // random bytes (no 0xFF, so no marker) in the JPEG data.
    const std::string noisyPixels = noiseRgb(600, 400, 5);
    struct Strips {
        std::string intact, damaged;
    };
    const auto strips = [&](const std::string& name, std::uint16_t compression, const std::string& bytes) {
        const auto file = dir / ("made/" + name + ".tif");
        Strips made{testsupport::tiffOfStrips(file, noisyPixels, 600, 400, compression), {}};
        const auto place = testsupport::tiffStripPlace(file, 12);
        made.damaged = made.intact;
        made.damaged.replace(place.offset + place.count / 2 - bytes.size() / 2, bytes.size(), bytes);
        return made;
    };
    const auto deflateStrips = strips("deflate", COMPRESSION_ADOBE_DEFLATE, std::string(32, '\0'));
    const auto packBitsStrips = strips("packbits", COMPRESSION_PACKBITS, std::string(32, '\0'));
    std::string randomBytes = testsupport::garbage(256, 21);
    for (auto& byte : randomBytes) byte = byte == '\xff' ? '\x5a' : byte;
    const auto jpegStrips = strips("jpeg", COMPRESSION_JPEG, randomBytes);
    // The outside judges of the strips that libtiff reads past: zlib finds the deflate strip's
    // checksum wrong, libjpeg decodes garbage in the JPEG strip (its pixels against the intact strip's).
    EXPECT_EQ(testsupport::zlibStripWords(dir.write("made/deflate-damaged.tif", deflateStrips.damaged), 12),
              "incorrect data check");
    const auto jpegStrip = [&](const std::string& name, const std::string& bytes) {
        return testsupport::jpegOfStrip(dir.write("made/" + name, bytes), 12);
    };
    EXPECT_TRUE(judgedGarbled(jpegStrip("jpeg-damaged.tif", jpegStrips.damaged),
                              jpegStrip("jpeg-intact.tif", jpegStrips.intact)));
    // The 13th JPEG strip as a writer that marks its strips JFIF 2.01 leaves it, moved to the file's end;
    // then its last 1024 bytes, end marker among them, zeroed as a copy preallocated and never finished
    // leaves them, and the strip cut where libjpeg's decoding of the zeros stops: libtiff passes on only
    // the revision's warning, libjpeg says only that the strip ended, and the zeros were its pixels.
    const std::string intactStrip = [&] {
        const auto place = testsupport::tiffStripPlace(dir / "made/jpeg.tif", 12);
        return jpegStrips.intact.substr(place.offset, place.count);
    }();
    const std::string stripJpeg = jpegStrip("jpeg-intact.tif", jpegStrips.intact);
    const std::size_t stripCut =
        stripJpeg.size() -
        cutWhereDecodingStops(withRunBefore(stripJpeg, stripJpeg.size(), 1024, '\0'), 1024).size();
    const std::string jfifStrip = testsupport::withLaterJfifSegments(intactStrip, 1);
    const std::string jfifStrips = testsupport::tiffWithStripAtEnd(jpegStrips.intact, 12, jfifStrip);
    const std::string zeroedStripTail = testsupport::tiffWithStripAtEnd(
        jpegStrips.intact, 12,
        withRunBefore(jfifStrip, jfifStrip.size(), 1024, '\0').substr(0, jfifStrip.size() - stripCut));
    ASSERT_FALSE(jfifStrips.empty() || zeroedStripTail.empty());
    const auto zeroedStrip = jpegStrip("jpeg-zeroed-tail.tif", zeroedStripTail);
    const auto zeroedReading = testsupport::libjpegReading(zeroedStrip);
    EXPECT_TRUE(zeroedReading.whole && zeroedReading.warnings == 2)
        << "libjpeg skips bytes at the strip's end";
    EXPECT_TRUE(judgedGarbled(zeroedStrip, jpegStrip("jpeg-jfif.tif", jfifStrips)));
    const auto zeroedInLibtiff =
        testsupport::readElsewhere(dir.write("made/jpeg-zeroed-tail.tif", zeroedStripTail));
    EXPECT_TRUE(zeroedInLibtiff && zeroedInLibtiff->words.ends_with("unknown JFIF revision number 2.01"))
        << "libtiff's words: " << (zeroedInLibtiff ? zeroedInLibtiff->words : "none");
    // A PNG text chunk whose keyword is empty: libpng reads it, but will not write one.
    const std::string emptyKeyword = testsupport::withPngChunkBeforeImageData(
        png, testsupport::pngChunk("tEXt", std::string(1, '\0') + "a caption with no keyword"));

    std::vector<Cell> cells = {
        cell("JPEG", "intact", "jpeg", jpeg),
        cell("JPEG", "cut short", "jpeg", jpeg.substr(0, jpeg.size() / 2), Verdict::Damaged),
        cell("JPEG", "garbage in the scan", "jpeg", scanGarbage, Verdict::Damaged),
        cell("JPEG", "150 JFIF 2.01 segments, XMP and IPTC", "jpeg",
             testsupport::withLaterJfifSegments(tagged, 150)),
        cell("JPEG", "380 scans, 150 JFIF 2.01 segments", "jpeg",
             testsupport::withLaterJfifSegments(testsupport::jpegOf380Scans(rgb, 900, 700), 150)),
        cell("JPEG", "no end marker", "jpeg", jpeg.substr(0, jpeg.size() - 2)),
        cell("JPEG", "progressive, no end marker", "jpeg", progressive.substr(0, progressive.size() - 2)),
        cell("JPEG", "progressive, cut before its last scan", "jpeg",
             progressive.substr(0, progressive.rfind("\xff\xda")), Verdict::Damaged),
        cell("JPEG", "every restart padded", "jpeg", restartsPadded),
        cell("JPEG", "a zero byte before every restart", "jpeg",
             testsupport::withPaddingBeforeRestarts(restarts, std::string(1, '\0'))),
        cell("JPEG", "zeros before its end marker", "jpeg",
             jpeg.substr(0, jpeg.size() - 2) + std::string(16, '\0') + "\xff\xd9"),
        cell("JPEG", "20 MB of XMP", "jpeg",
             testsupport::withJpegSegmentsAtStart(jpeg, extendedXmpSegments(kMetadata))),
        cell("PNG", "intact", "png", png),
        cell("PNG", "cut short", "png", png.substr(0, png.size() * 2 / 3), Verdict::Damaged),
        cell("PNG", "garbage in the image data", "png",
             testsupport::withPngImageDataOverwritten(png, 2000, testsupport::garbage(512, 3)),
             Verdict::Damaged),
        cell("PNG", "a pixel changed in stored data", "png", storedChanged, Verdict::Damaged),
        cell("PNG", "garbage only its checksum tells", "png", checksumOnly, Verdict::Damaged),
        cell(
            "PNG", "a 4-byte PLTE in RGB", "png",
            testsupport::withPngChunkBeforeImageData(png, testsupport::pngChunk("PLTE", "\x10\x20\x30\x40"))),
        cell("PNG", "a 300-entry PLTE in RGB", "png",
             testsupport::withPngChunkBeforeImageData(
                 png, testsupport::pngChunk("PLTE", std::string(900, '\x40')))),
        cell("PNG", "no IEND", "png", png.substr(0, png.size() - 12)),
        cell("PNG", "20000000 px wide", "png", wideLine, Verdict::PastLimit, {20000000, 1}, "1000000"),
        cell("PNG", "a tEXt with an empty keyword", "png", emptyKeyword),
        cell("PNG", "20 MB iTXt", "png",
             testsupport::withPngChunkBeforeImageData(
                 png, testsupport::pngChunk("iTXt", "XML:com.adobe.xmp" + std::string(5, '\0') + xmp))),
        cell("TIFF", "intact", "tiff", tiff),
        cell("TIFF", "cut short", "tiff", grey.substr(0, grey.size() * 3 / 5), Verdict::Damaged),
        cell("TIFF", "cut before its directory", "tiff", tiff.substr(0, tiff.size() / 2), Verdict::Damaged),
        cell("TIFF", "garbage strip", "tiff", garbageStrip, Verdict::Damaged, {1920, 64}),
        cell("TIFF", "deflate strips", "tiff", deflateStrips.intact, Verdict::Valid, {600, 400}),
        cell("TIFF", "zeros in a deflate strip", "tiff", deflateStrips.damaged, Verdict::Damaged, {600, 400}),
        cell("TIFF", "PackBits strips", "tiff", packBitsStrips.intact, Verdict::Valid, {600, 400}),
        cell("TIFF", "zeros in a PackBits strip", "tiff", packBitsStrips.damaged, Verdict::Damaged,
             {600, 400}),
        cell("TIFF", "JPEG strips", "tiff", jpegStrips.intact, Verdict::Valid, {600, 400}),
        cell("TIFF", "garbage in a JPEG strip", "tiff", jpegStrips.damaged, Verdict::Damaged, {600, 400}),
        cell("TIFF", "a JPEG strip's tail zeroed, cut where decoding stops", "tiff", zeroedStripTail,
             Verdict::Damaged, {600, 400}),
        cell("TIFF", "JPEG 2000 compression", "tiff", compressedAs(34712), Verdict::NotImplemented,
             {900, 700}, "34712"),
        cell("TIFF", "unknown compression", "tiff", compressedAs(60123), Verdict::NotImplemented, {900, 700},
             "60123"),
        cell("TIFF", "150 private tags", "tiff", coretest::greyTiff(900, 700, privateTags)),
        cell("TIFF", "20 MB XMP tag", "tiff",
             coretest::greyTiff(900, 700, {{700, 1, std::uint32_t(xmp.size()), xmp}})),
        cell("WebP", "intact", "webp", webp),
        cell("WebP", "cut short", "webp", webp.substr(0, webp.size() / 2), Verdict::Damaged),
        cell("WebP", "garbage in lossless data", "webp",
             testsupport::withMiddleOverwritten(lossless, "VP8L", testsupport::garbage(512, 5)),
             Verdict::Undecoded),
        cell("WebP", "20 MB XMP chunk", "webp", testsupport::withWebpXmp(webp, 900, 700, xmp)),
        cell("GIF", "intact", "gif", gif),
        cell("GIF", "no trailer", "gif", gif.substr(0, gif.size() - 1)),
        cell("GIF", "cut short", "gif", gif.substr(0, gif.size() / 2), Verdict::Damaged),
        cell("GIF", "zeroed frame data", "gif", testsupport::withZeroedFrameData(gif), Verdict::Damaged),
        cell("GIF", "14000 px frame cut short", "gif", testsupport::gifOfDeclaredSide(14000),
             Verdict::Damaged, {14000, 14000}),
        cell("GIF", "20 MB comment", "gif", testsupport::withGifComment(gif, kMetadata)),
        cell("HEIC", "intact", "heif", heic),
        cell("HEIC", "cut short", "heif", heic.substr(0, heic.size() / 2), Verdict::Damaged),
        cell("HEIC", "16500 px wide", "heif", wideHeic, Verdict::PastLimit, {16500, 256}, "16384"),
        cell("AVIF", "intact", "heif", avif),
        cell("AVIF", "cut short", "heif", avif.substr(0, avif.size() / 2), Verdict::Damaged),
        cell("AVIF", "garbage where its data starts", "heif", avifBroken, Verdict::Damaged),
        cell("AVIF", "16500 px wide", "heif", wideAvif, Verdict::PastLimit, {16500, 256}, "16384"),
        cell("BMP", "intact", "bmp", bmp),
        cell("BMP", "cut short", "bmp", bmp.substr(0, bmp.size() / 2), Verdict::Damaged),
    };
    // Blocks of random bytes, zeros and bytes mostly of one bits at seeded places in the scans of a real
    // photo and of a textured one (a flat image would hide the damage). A damage after which libjpeg
    // picks up the codes again and ends its scan where the data ends says nothing anywhere, though
    // its pixels are off: no decoder tells it, and it is left out.
    // Both at least as wide as the second preset, so that it decodes them too.
    vips::VImage::new_from_file((std::filesystem::path(VORTA_TEST_DATA_DIR) / "astronaut.jpg").c_str())
        .resize(1.25)
        .write_to_file((dir / "made/astronaut.jpg[Q=90]").c_str());
    const std::vector<std::pair<std::string, std::pair<int, int>>> photos = {
        {TempDir::read(dir / "made/astronaut.jpg"), {640, 640}},
        {made("textured.jpg", "[Q=85]", 640, 400), {640, 400}},
        {made("restarted.jpg", "[Q=85,restart_interval=4]", 640, 400), {640, 400}},
    };
    std::mt19937 seeded(55);
    std::size_t scanDamage = 0;
    for (int n = 0; scanDamage < 56 && n < 300; ++n) {
        const auto& [photo, size] = photos[std::size_t(n) % photos.size()];
        const int kind = n / 2 % 3;
        auto damaged = withScanBlock(photo, kind, seeded);
        if (!judgedGarbled(damaged, photo)) continue;
        ++scanDamage;
        cells.push_back(cell("JPEG", "scan damage " + std::to_string(n) + " " + "rzo"[kind], "jpeg",
                             std::move(damaged), Verdict::Damaged, size));
        cells.back().original = photo;
    }
    ASSERT_GE(scanDamage, 50u);
    // A noisy photo whose scan ends in a run of one byte value, as a copy preallocated and never
    // finished leaves it: libjpeg takes the run's first part for the missing data and skips the rest,
    // which alone would look like the padding of the rows above. Its whole tail (16 KB before the end
    // marker, or to the file's end with the end marker); the last bytes of one restart interval.
    const std::string noise = noiseRgb(600, 400, 2);
    const std::string noisy = testsupport::jpegOf(noise, 600, 400, 90);
    const std::string noisyRestarts = testsupport::jpegOf(noise, 600, 400, 90, 1);
    const std::size_t tail = 16384;
    const std::string zeroedToEnd = withRunBefore(noisy, noisy.size(), tail, '\0');
    const std::string cutZeroed = cutWhereDecodingStops(zeroedToEnd, tail);
    const auto cutReading = testsupport::libjpegReading(cutZeroed);
    ASSERT_TRUE(cutReading.whole && cutReading.warnings == 1) << "libjpeg skips bytes at the cut file's end";
    const auto noisyCell = [&](std::string fault, std::string bytes, Verdict verdict,
                               const std::string& original) {
        cells.push_back(cell("JPEG", std::move(fault), "jpeg", std::move(bytes), verdict, {600, 400}));
        cells.back().original = original;
    };
    for (const auto& [value, name] : {std::pair{'\0', "0x00"}, std::pair{'\x7f', "0x7F"}}) {
        noisyCell(std::string("noise, a 16 KB tail of ") + name,
                  withRunBefore(noisy, noisy.size() - 2, tail, value), Verdict::Damaged, noisy);
    }
    noisyCell("noise, a tail of zeros to its end", zeroedToEnd, Verdict::Damaged, noisy);
    noisyCell("noise, a tail of zeros to its end, cut where decoding stops", cutZeroed, Verdict::Damaged,
              noisy);
    for (const int interval : {3, 10, 20}) {
        for (const std::size_t zeros : {256, 1024}) {
            noisyCell("noise, restart interval " + std::to_string(interval) + " ending in " +
                          std::to_string(zeros) + " zeros",
                      withRunBefore(noisyRestarts, restartMarkerAfter(noisyRestarts, interval), zeros, '\0'),
                      Verdict::Damaged, noisyRestarts);
        }
    }
    noisyCell("noise, four zeros before every restart",
              testsupport::withPaddingBeforeRestarts(noisyRestarts, std::string(4, '\0')), Verdict::Valid,
              noisyRestarts);
    noisyCell("noise, restarts, no end marker", noisyRestarts.substr(0, noisyRestarts.size() - 2),
              Verdict::Valid, noisyRestarts);
    noisyCell("noise, 0xFF fill before its end marker",
              noisy.substr(0, noisy.size() - 2) + std::string(16, '\xff') + "\xff\xd9", Verdict::Valid,
              noisy);

    std::vector<std::filesystem::path> files;
    for (const auto& c : cells) files.push_back(dir.write("in/" + c.fileName(), c.bytes));

    // The outside judge: every broken file fails another decoder too, every other one it reads whole;
    // one past a decoder's limit fails it too, and reads whole once the limit is lifted.
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const bool broken = cells[i].verdict != Verdict::Valid;
        if (!cells[i].original.empty()) {
            EXPECT_EQ(judgedGarbled(cells[i].bytes, cells[i].original), broken)
                << cells[i].label() << " x outside decoder: pixels against the original's";
            continue;
        }
        const auto kept = testsupport::readElsewhere(files[i]);
        const auto lifted = testsupport::readElsewhere(files[i], testsupport::SideLimits::Lifted);
        ASSERT_TRUE(kept && lifted) << cells[i].label();
        EXPECT_NE(kept->whole, broken)
            << cells[i].label()
            << " x outside decoder: " << (broken ? "read it whole" : "failed: " + kept->words);
        EXPECT_EQ(lifted->whole, cells[i].verdict == Verdict::Valid || cells[i].verdict == Verdict::PastLimit)
            << cells[i].label() << " x outside decoder, limits lifted: " << lifted->words;
    }

    // Two presets: half of each side, kept in the source's format; 600 px wide, written as PNG. Neither
    // refuses a source for its size, so every verdict is about the file.
    const auto presets = testsupport::halfAndPngPresets();
    const auto errors = dir / "stderr.txt";
    const auto job = testsupport::runBatch("--output " + testsupport::shellWord(dir / "out") +
                                               " --presets-json '[" + testsupport::halfAndPngPresetsJson() +
                                               "]' " + testsupport::shellWord(dir / "in"),
                                           &errors);
    EXPECT_EQ(job.status, 0) << TempDir::read(errors).substr(0, 4000);
    // Every decoder's words go to the verdict: none is printed.
    EXPECT_EQ(TempDir::read(errors).substr(0, 4000), "");
    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u) << job.output;

    const std::string damaged = "the file is damaged: ";
    const std::string undecoded = "the image could not be decoded: ";
    const std::string unsupported = "the file's format is not supported here: ";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& c = cells[i];
        const auto& file = files[i];

        for (const auto& p : presets) {
            const std::string where = c.label() + " x job [" + p.name + "]: ";
            const auto done = lineAfter(job.output, "done     [" + p.name + "] " + file.string() + " -> ");
            const auto skipped = lineAfter(job.output, "skipped  [" + p.name + "] " + file.string() + ": ");
            const std::string got = done ? "done -> " + *done : skipped ? "skipped: " + *skipped : "no line";
            bool written = false;
            if (std::filesystem::exists(jobs[0] / p.name / "in")) {
                for (const auto& e : std::filesystem::directory_iterator(jobs[0] / p.name / "in"))
                    written = written || e.path().stem() == file.stem();
            }
            switch (c.verdict) {
                case Verdict::Valid:
                    if (!done) {
                        ADD_FAILURE() << where << "expected done; got " << got;
                    } else if (testsupport::imageFileSize(*done) != p.size(c.size)) {
                        const auto [w, h] = testsupport::imageFileSize(*done);
                        ADD_FAILURE() << where << "expected " << p.size(c.size).first << " x "
                                      << p.size(c.size).second << "; got " << w << " x " << h;
                    }
                    break;
                case Verdict::Damaged:
                case Verdict::Undecoded: {
                    const std::string& prefix = c.verdict == Verdict::Damaged ? damaged : undecoded;
                    if (!skipped || !skipped->starts_with(prefix) || skipped->size() == prefix.size() ||
                        written)
                        ADD_FAILURE()
                            << where << "expected skipped: " << prefix << "<words>, nothing written; got "
                            << got << (written ? " (written)" : "");
                    break;
                }
                case Verdict::PastLimit:
                case Verdict::NotImplemented:
                    if (!skipped || !skipped->starts_with(unsupported) || !names(*skipped, c.limit) ||
                        written)
                        ADD_FAILURE()
                            << where << "expected skipped: " << unsupported << "<words naming " << c.limit
                            << ">, nothing written; got " << got << (written ? " (written)" : "");
                    break;
            }
        }

        std::string error;
        auto failure = image::ReadFailure::NotAnImage;
        const auto info = image::readImageInfo(file, &error, &failure);
        const std::string gotInfo = info ? std::to_string(info->pixelWidth) + " x " +
                                               std::to_string(info->pixelHeight) + " " + info->format
                                         : std::string(kindName(failure)) + " (" + error + ")";
        const bool headerRead = info && std::pair{info->pixelWidth, info->pixelHeight} == c.size &&
                                info->format == c.decoder && !info->tooLarge;
        switch (c.verdict) {
            case Verdict::Valid:
                EXPECT_TRUE(headerRead) << c.label() << " x image info: expected " << c.size.first << " x "
                                        << c.size.second << " " << c.decoder << "; got " << gotInfo;
                break;
            case Verdict::Damaged:
            case Verdict::Undecoded:
                // The header may still be whole.
                EXPECT_TRUE(headerRead || (!info && failure == image::ReadFailure::Damaged))
                    << c.label() << " x image info: expected the header's sides or Damaged; got " << gotInfo;
                break;
            case Verdict::PastLimit:
            case Verdict::NotImplemented:
                EXPECT_TRUE(!info && failure == image::ReadFailure::Unsupported && names(error, c.limit))
                    << c.label() << " x image info: expected Unsupported naming " << c.limit << "; got "
                    << gotInfo;
                break;
        }

        const auto thumbnail = image::thumbnail(file, {256, 256});
        if (c.verdict != Verdict::Valid) {
            EXPECT_FALSE(thumbnail) << c.label() << " x thumbnail: expected none; got " << thumbnail->width()
                                    << " x " << thumbnail->height();
        } else if (!thumbnail) {
            ADD_FAILURE() << c.label() << " x thumbnail: expected one; got none";
        } else {
            const double scale = 256.0 / std::max(c.size.first, c.size.second);
            EXPECT_TRUE(std::max(thumbnail->width(), thumbnail->height()) == 256 &&
                        std::abs(std::min(thumbnail->width(), thumbnail->height()) -
                                 std::min(c.size.first, c.size.second) * scale) <= 1)
                << c.label() << " x thumbnail: expected 256 px on the long side; got " << thumbnail->width()
                << " x " << thumbnail->height();
        }
    }

    // libvips gives up on the tagged file at its 150 segments' warnings and libjpeg reads it itself: its
    // output still carries the XMP and IPTC blocks, as libvips' loader reads them from the same file
    // without those segments.
    const auto tagCell = std::find_if(cells.begin(), cells.end(), [](const Cell& c) {
        return c.fault.starts_with("150 JFIF 2.01 segments, XMP");
    });
    const auto taggedOut = lineAfter(
        job.output, "done     [Half] " + files[std::size_t(tagCell - cells.begin())].string() + " -> ");
    ASSERT_TRUE(taggedOut);
    const auto written = vips::VImage::new_from_file(taggedOut->c_str());
    const auto reference = vips::VImage::new_from_file(dir.write("made/tagged.jpg", tagged).c_str());
    for (const char* name : {VIPS_META_XMP_NAME, VIPS_META_IPTC_NAME}) {
        const auto blob = [name](const vips::VImage& image) {
            if (image.get_typeof(name) == 0) return std::string("none");
            std::size_t length = 0;
            const auto* data = static_cast<const char*>(image.get_blob(name, &length));
            return std::string(data, length);
        };
        EXPECT_NE(blob(reference), "none") << name;
        EXPECT_EQ(blob(written), blob(reference)) << name << " of the written file";
    }
}
