#include <gtest/gtest.h>

#include <vips/vips8>

#include <chrono>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "Core/Records/DefaultPresets.h"
#include "GreyJpeg.h"
#include "GreyTiff.h"
#include "RunBatch.h"
#include "Support/ImageSurgery.h"
#include "Support/JpegPadding.h"
#include "Support/OtherDecoders.h"
#include "Support/Sanitizers.h"
#include "Support/TempDir.h"
#include "TestImages.h"
#include "WatchedPipe.h"

using testsupport::runBatch;
using testsupport::TempDir;

namespace {

std::string withoutRange(const std::string& bytes, std::size_t from, std::size_t count) {
    return bytes.substr(0, from) + bytes.substr(from + count);
}

}  // namespace

TEST(BatchRunner, DamagedAndCameraRawSourcesAreSkippedQuietlyAndHarmlessQuirksStillProcess) {
    TempDir dir;
    testsupport::writeTestImage(dir / "made/photo.jpg", 900, 700, 3);
    testsupport::writeTestImage(dir / "made/photo.png", 900, 700, 4);
    const std::string jpeg = TempDir::read(dir / "made/photo.jpg");
    const std::string png = TempDir::read(dir / "made/photo.png");
    const std::size_t scan = jpeg.find("\xff\xda");
    const std::size_t idat = png.find("IDAT");
    ASSERT_NE(scan, std::string::npos);
    ASSERT_NE(idat, std::string::npos);
    const std::size_t idatLength = (std::uint8_t(png[idat - 4]) << 24) | (std::uint8_t(png[idat - 3]) << 16) |
                                   (std::uint8_t(png[idat - 2]) << 8) | std::uint8_t(png[idat - 1]);
    const std::size_t afterIdat = idat + 4 + idatLength + 4;
    std::string badChecksum = png;
    badChecksum[idat + 4 + idatLength] ^= 0x5a;
    // One bit flipped in the compressed pixels, the chunk's checksum made to match.
    std::string flippedData = png.substr(idat + 4, idatLength);
    flippedData[10] ^= 0x10;
    const std::string bitFlipped =
        png.substr(0, idat - 4) + testsupport::pngChunk("IDAT", flippedData) + png.substr(afterIdat);
    std::string textChunk = testsupport::pngChunk("tEXt", std::string("Comment\0scanned", 15));
    textChunk.back() ^= 0x01;
    // GeoTIFF's GDAL_NODATA, a private tag that GIS tools and scanners write; DNGVersion; sensor data
    // kept as a colour-filter array, as in a NEF or ARW.
    const std::string gdalNoData = coretest::greyTiff(900, 700, {{42113, 2, 6, std::string("-9999\0", 6)}});
    // 24 bits a sample, which libvips' TIFF loader refuses by the header, after 20 private tags that
    // libtiff warns of, harmlessly, as it reads that header.
    std::vector<coretest::TiffTag> wideSamples{{258, 3, 3, std::string("\x18\0\x18\0\x18\0", 6)}};
    for (std::uint16_t tag = 65000; tag < 65020; ++tag)
        wideSamples.push_back({tag, 3, 1, std::string{char(tag & 0xff), char(tag >> 8)}});
    const std::string dng = coretest::greyTiff(900, 700, {{50706, 1, 4, std::string("\x01\x04\0\0", 4)}});
    const std::string sensorData = coretest::greyTiff(900, 700, {{262, 3, 1, std::string("\x23\x80", 2)}});
    // Canon's CR2: an ordinary TIFF to any TIFF reader, signed "CR" 2 after the header.
    const std::string cr2 = coretest::greyTiff(900, 700, {}, std::string("CR\x02\0\0\0\0\0", 8));

    // Eleven bytes of padding before each of the first 150 restart markers: a decoder warns of each,
    // and every pixel is still read.
    testsupport::writeTestImage(dir / "made/restarts.jpg[restart_interval=1]", 900, 700, 3);
    std::size_t paddings = 0;
    const std::string padded = testsupport::withPaddingBeforeRestarts(
        TempDir::read(dir / "made/restarts.jpg"), std::string(11, '\x55'), 150, &paddings);
    ASSERT_EQ(paddings, 150u);
    // One zero byte before each of 845 restart markers: its decoder, reading ahead, counts the unused
    // bytes of several intervals together and warns of them at later markers, well over a hundred times.
    testsupport::writeTestImage(dir / "made/zero.jpg[restart_interval=2]", 751, 563, 3);
    const std::string zeroPadded = testsupport::withPaddingBeforeRestarts(
        TempDir::read(dir / "made/zero.jpg"), std::string(1, '\0'), std::string::npos, &paddings);
    ASSERT_EQ(paddings, 845u);
    // A deflate TIFF whose one strip is not deflate data: libvips leaves it black and goes on.
    const std::string garbageStrip = coretest::greyTiff(1920, 64, {{259, 3, 1, std::string("\x08\0", 2)}});
    testsupport::writeTestImage(dir / "made/photo.gif", 900, 700, 3);
    const std::string zeroedFrame = testsupport::withZeroedFrameData(TempDir::read(dir / "made/photo.gif"));
    // A frame whose data stops at a block's start, the file's end after it: every block is whole, and
    // libvips fills in the missing rows without a word. Its interlaced twin, whose rows come in four
    // passes, is whole.
    const std::string frameEndsEarly =
        testsupport::withFrameDataEndingEarly(TempDir::read(dir / "made/photo.gif"));
    testsupport::writeTestImage(dir / "made/interlaced.gif[interlace]", 900, 700, 3);
    const std::string interlaced = TempDir::read(dir / "made/interlaced.gif");
    // Rows whose filter byte no encoder writes, from the middle down.
    std::string rows;
    for (int y = 0; y < 700; ++y) {
        rows += char(y < 350 ? 0 : 7);
        for (int x = 0; x < 900 * 3; ++x) rows += char(x * 7 + y * 13);
    }
    // A valid grey line of 20,000,000 pixels, past libpng's own limit of 1,000,000 a side; a header
    // of 3 bits a sample, which no PNG has.
    const std::string wideLine =
        testsupport::pngOf(20'000'000, 1, 0, std::string(1, '\0') + std::string(20'000'000, '\x80'));
    const std::string threeBits = testsupport::pngOf(900, 700, 0, std::string(700 * 901, '\0'), 3);
    // Eleven bytes before every restart marker, one of them starting where a reader's 64 KB buffer ends.
    const std::string paddedAtBoundary = testsupport::withPaddedRestartAt(
        TempDir::read(dir / "made/restarts.jpg"), std::string(11, '\x55'), 64 * 1024 - 1);
    ASSERT_EQ(paddedAtBoundary.substr(64 * 1024 - 1, 1), "\xff");
    // 150 JFIF segments of a later revision, each warned of: past libvips' count in the header.
    const std::string laterJfif = testsupport::withLaterJfifSegments(jpeg, 150);
    // Corrupt scan data after warnings past that count, in the header and in the scan.
    const std::size_t laterScan = laterJfif.find("\xff\xda");
    const std::string laterJfifCut = withoutRange(laterJfif, (laterScan + laterJfif.size()) / 2, 3000);
    const std::string paddedCut = withoutRange(padded, padded.size() * 3 / 4, 3000);
    for (const auto& manyWarnings : {paddedAtBoundary, laterJfif, laterJfifCut, paddedCut})
        ASSERT_GT(testsupport::libjpegReading(manyWarnings).warnings, 100u);
    // 25 MB of metadata before the first scan of a photo turned by its first EXIF block: further EXIF
    // blocks that say it is upright, or ICC chunks numbered round and round. Read once each, not held.
    testsupport::writeTestImage(dir / "made/turned.jpg", 1000, 760, 3);
    const std::string turned = TempDir::read(dir / "made/turned.jpg");
    const auto exif = [](char orientation) {
        return std::string("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) +
               std::string{orientation, 0, 0, 0, 0, 0, 0, 0};
    };
    std::string exifBlocks = turned.substr(0, 2) + testsupport::jpegSegment('\xe1', exif(6));
    std::string iccChunks = exifBlocks;
    for (int i = 0; i < 400; ++i) {
        exifBlocks += testsupport::jpegSegment('\xe1', exif(1) + std::string(65000, char(i)));
        iccChunks +=
            testsupport::jpegSegment('\xe2', "ICC_PROFILE" + std::string{'\0', char(i % 255 + 1), '\xff'} +
                                                 std::string(65000, char(i)));
    }
    exifBlocks += turned.substr(2);
    iccChunks += turned.substr(2);
    // Two EXIF blocks past libvips' count of warnings in the header, which libjpeg reads alone.
    const std::string twoExifLaterJfif =
        testsupport::withLaterJfifSegments(turned.substr(0, 2) + testsupport::jpegSegment('\xe1', exif(6)) +
                                               testsupport::jpegSegment('\xe1', exif(1)) + turned.substr(2),
                                           150);
    // Valid frame headers of variants that the decoders here cannot read.
    const std::size_t frame = jpeg.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    std::string twelveBit = jpeg, lossless = jpeg;
    twelveBit[frame + 4] = 12;
    lossless[frame + 1] = '\xc3';

    const std::string damaged = "the file is damaged", cameraRaw = "the file is a camera RAW file";
    const std::string unsupported = "the file's format is not supported here: ";
    struct Case {
        std::string name;
        std::string bytes;
        std::string skipReason;  // empty: processed
        std::pair<int, int> size = {900, 700};
    };
    const std::vector<Case> cases = {
        {"truncated.jpg", jpeg.substr(0, jpeg.size() / 2), damaged},
        {"cut-scan.jpg", withoutRange(jpeg, (scan + jpeg.size()) / 2, 3000), damaged},
        {"bad-checksum.png", badChecksum, damaged},
        {"bit-flipped.png", bitFlipped, damaged},
        {"truncated.png", png.substr(0, png.size() * 2 / 3), damaged},
        {"cut-in-header.png", png.substr(0, 40), damaged},
        {"garbage-strip.tif", garbageStrip, damaged + ": ZIPDecode: Decoding error", {1920, 64}},
        {"zeroed-frame-data.gif", zeroedFrame, damaged + ": Invalid frame data"},
        {"frame-data-ends-early.gif", frameEndsEarly, damaged},
        {"interlaced.gif", interlaced, ""},
        {"bad-filter.png", testsupport::pngOf(900, 700, 2, rows), damaged + ": bad adaptive filter value"},
        {"wide-line.png", wideLine, unsupported + "image beyond its decoder's size limit"},
        {"three-bit.png", threeBits, "the image could not be read: unreadable image header: "},
        {"camera.dng", dng, cameraRaw},
        {"dng-renamed.tif", dng, cameraRaw},
        {"sensor-data.tif", sensorData, cameraRaw},
        {"cr2-renamed.tif", cr2, cameraRaw},
        {"cr2-renamed.jpg", cr2, cameraRaw},
        {"jpeg-named.dng", jpeg, ""},
        {"panasonic-named.raw", jpeg, ""},
        {"png-named.nef", png, ""},
        {"tiff-named.nef", coretest::greyTiff(900, 700), ""},
        {"byte-after-end.jpg", jpeg + std::string(1, '\0'), ""},
        {"unknown-marker.jpg",
         testsupport::withJpegSegmentsAtStart(jpeg, testsupport::jpegSegment('\xe9', "vorta")), ""},
        {"stray-bytes.jpg", jpeg.substr(0, scan) + std::string(3, '\0') + jpeg.substr(scan), ""},
        {"odd-exif.jpg",
         testsupport::withJpegSegmentsAtStart(
             jpeg,
             testsupport::jpegSegment('\xe1', std::string("Exif\0\0II*\0", 10) + std::string(40, '\xff'))),
         ""},
        {"odd-icc.jpg",
         testsupport::withJpegSegmentsAtStart(
             jpeg, testsupport::jpegSegment('\xe2', std::string("ICC_PROFILE\0\x01\x01", 14) + "garbage")),
         ""},
        {"unknown-chunk.png",
         png.substr(0, idat - 4) + testsupport::pngChunk("vrTa", "note") + png.substr(idat - 4), ""},
        {"text-checksum.png", png.substr(0, idat - 4) + textChunk + png.substr(idat - 4), ""},
        {"private-tag.tif", gdalNoData, ""},
        // Worded by the loader that failed, not by the warnings heard before.
        {"24-bit-samples.tif", coretest::greyTiff(900, 700, wideSamples),
         "the image could not be read: unreadable image header: tiff2vips: unsupported tiff image type\n"},
        {"restart-padding.jpg", padded, ""},
        {"restart-zero-byte.jpg", zeroPadded, "", {751, 563}},
        // 120 comment segments, each followed by two stray bytes, before the frame header.
        {"header-stray-bytes.jpg", testsupport::withStrayBytesInHeader(jpeg, 120, std::string(2, '\0')), ""},
        {"restart-padding-at-64k.jpg", paddedAtBoundary, ""},
        {"later-jfif.jpg", laterJfif, ""},
        {"exif-blocks-25mb.jpg", exifBlocks, "", {760, 1000}},
        {"icc-chunks-25mb.jpg", iccChunks, "", {760, 1000}},
        {"two-exif-later-jfif.jpg", twoExifLaterJfif, "", {760, 1000}},
        {"later-jfif-cut-scan.jpg", laterJfifCut, damaged},
        {"restart-padding-cut-scan.jpg", paddedCut, damaged},
        {"12-bit.jpg", twelveBit, unsupported + "12-bit JPEG"},
        {"lossless.jpg", lossless, unsupported + "lossless JPEG"},
        {"intact.jpg", jpeg, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = dir.write("in/" + c.name, c.bytes);
        // The format's own library, called directly, agrees: a file processed reads to its end, every
        // other fails (a variant it cannot read too); one past a decoder's limit reads once the limit is
        // lifted. A camera's sensor data is no picture.
        const auto reading = testsupport::readElsewhere(file);
        if (!reading || c.skipReason == cameraRaw) continue;
        EXPECT_EQ(reading->whole, c.skipReason.empty()) << reading->words;
        if (c.skipReason.ends_with("size limit")) {
            EXPECT_TRUE(testsupport::readElsewhere(file, testsupport::SideLimits::Lifted)->whole);
        }
    }
    // Named on the command line, as a shell's glob would: never opened, so nothing waits on it.
    const coretest::WatchedPipe pipe(dir / "elsewhere" / "pipe.jpg");

    // A width and height, a percentage, and PNG output, whose encoder asks for the pixels in its own way.
    std::vector<testsupport::SizedPreset> presets = {{"SD", [](std::pair<int, int>) {
                                                          return std::pair{720, 480};
                                                      }}};
    for (auto& p : testsupport::halfAndPngPresets()) presets.push_back(std::move(p));
    const auto errors = dir / "stderr.txt";
    const auto result =
        runBatch("--output " + testsupport::shellWord(dir / "out") + " --preset SD --presets-json '[" +
                     testsupport::halfAndPngPresetsJson() + "]' " + testsupport::shellWord(dir / "in") + " " +
                     testsupport::shellWord(pipe.path()),
                 &errors);
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_FALSE(pipe.wasOpened());
    for (const auto& p : presets) {
        EXPECT_NE(result.output.find("skipped  [" + p.name + "] " + pipe.path().string() +
                                     ": the file is not a regular file, so it is not read\n"),
                  std::string::npos)
            << result.output;
    }
    const std::string printed = TempDir::read(errors);
    EXPECT_TRUE(printed.empty()) << printed.substr(0, 600);
    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);
    std::size_t processed = 0;
    for (const auto& p : presets) {
        for (const auto& c : cases) {
            SCOPED_TRACE(p.name + " " + c.name);
            const auto output = jobs[0] / p.name / "in" / c.name;
            // A picture lower or narrower than the fixed size is refused by its header alone.
            const bool tooSmall = p.name == "SD" && (c.size.first < 720 || c.size.second < 480);
            const std::string skipReason =
                tooSmall ? "the image is smaller than the preset's size" : c.skipReason;
            if (skipReason.empty()) {
                ++processed;
                // Under its own name, or one that names the format written where the source's does not.
                const std::string doneLine =
                    "done     [" + p.name + "] " + (dir / "in" / c.name).string() + " -> ";
                const auto at = result.output.find(doneLine);
                ASSERT_NE(at, std::string::npos) << result.output;
                const auto from = at + doneLine.size();
                const std::filesystem::path written =
                    result.output.substr(from, result.output.find('\n', from) - from);
                EXPECT_EQ(written.parent_path(), output.parent_path());
                EXPECT_EQ(written.stem(), output.stem());
                EXPECT_EQ(testsupport::imageFileSize(written), p.size(c.size)) << result.output;
            } else {
                const std::string skippedLine =
                    "skipped  [" + p.name + "] " + (dir / "in" / c.name).string() + ": " + skipReason;
                EXPECT_NE(result.output.find(skippedLine), std::string::npos) << result.output;
                EXPECT_FALSE(std::filesystem::exists(output));
            }
        }
    }
    const std::string counts = std::to_string(processed) + " done, " +
                               std::to_string((cases.size() + 1) * presets.size() - processed) + " skipped";
    EXPECT_NE(result.output.find(counts), std::string::npos) << result.output;
    // Nothing but the finished outputs is left in the job folder.
    std::size_t files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(jobs[0])) files += e.is_regular_file();
    EXPECT_EQ(files, processed);

    // A temporary store that fails says nothing about the file: a valid PNG too large to decode in
    // memory, its temporary file stopped by a file size limit as a full disc would stop it, or by a
    // temporary folder that is not there. A limit the shell does not ignore must not end the runner:
    // at 100 KB it stops the PNG's temporary file and the photo's output alike, and neither is left.
    std::filesystem::create_directories(dir / "large");
    vips::VImage::black(6000, 6000, vips::VImage::option()->set("bands", 3))
        .pngsave((dir / "large/valid.png").c_str());
    const std::string storeFailed = "the temporary folder could not take the decoded image";
    const std::vector<std::pair<std::string, std::string>> stores = {
        {"trap '' XFSZ; ulimit -f 20000; ", "the image could not be read: " + storeFailed},
        {"ulimit -f 100; ", "the image could not be read: " + storeFailed},
        {"TMPDIR=" + testsupport::shellWord(dir / "gone") + " ", "the image could not be decoded: "},
    };
    for (std::size_t i = 0; i < stores.size(); ++i) {
        const auto scratch = dir / ("scratch" + std::to_string(i)),
                   out = dir / ("out-store" + std::to_string(i));
        std::filesystem::create_directories(scratch);
        const bool photo = stores[i].first.starts_with("ulimit");
        const auto failed = runBatch(
            "--settings " + testsupport::shellWord(dir / "settings.json") + " --output " +
                testsupport::shellWord(out) + " --preset SD " + testsupport::shellWord(dir / "large") +
                (photo ? " " + testsupport::shellWord(dir / "made/photo.jpg") : ""),
            nullptr, "export TMPDIR=" + testsupport::shellWord(scratch) + "; " + stores[i].first);
        EXPECT_NE(failed.output.find("skipped  [SD] " + (dir / "large/valid.png").string() + ": " +
                                     stores[i].second),
                  std::string::npos)
            << failed.output;
        if (photo) {
            const std::string line = "skipped  [SD] " + (dir / "made/photo.jpg").string() + ": cannot write ";
            const auto at = failed.output.find(line);
            ASSERT_NE(at, std::string::npos) << failed.output;
            EXPECT_TRUE(
                failed.output.substr(at, failed.output.find('\n', at) - at).ends_with("File too large"))
                << failed.output;
        }
        EXPECT_TRUE(std::filesystem::is_empty(scratch));
        for (const auto& e : std::filesystem::recursive_directory_iterator(out))
            EXPECT_FALSE(e.is_regular_file()) << e.path();
    }
}

TEST(BatchRunner, AProgressiveJpegDeclaringGiantSidesIsSkippedAtOnceEvenWithAStrayByte) {
    // A few hundred bytes whose frame header declares 65500 x 65500: decoding it would take tens of
    // gigabytes. The stray byte before the scan makes its decoder warn, which must not lead to one.
    TempDir dir;
    testsupport::writeTestImage(dir / "made/small.jpg[interlace,strip]", 64, 48, 5);
    std::string jpeg = TempDir::read(dir / "made/small.jpg");
    const std::size_t frame = jpeg.find("\xff\xc2");
    const std::size_t scan = jpeg.find("\xff\xda");
    ASSERT_NE(frame, std::string::npos);
    ASSERT_NE(scan, std::string::npos);
    jpeg.replace(frame + 5, 4, "\xff\xdc\xff\xdc");
    dir.write("in/giant.jpg", jpeg);
    dir.write("in/giant-stray-byte.jpg", jpeg.substr(0, scan) + std::string(1, '\0') + jpeg.substr(scan));

    const auto result = runBatch("--output " + testsupport::shellWord(dir / "out") + " --preset SD " +
                                 testsupport::shellWord(dir / "in"));
    ASSERT_EQ(result.status, 0) << result.output;
    for (const std::string name : {"giant.jpg", "giant-stray-byte.jpg"}) {
        const std::string skippedLine =
            "skipped  [SD] " + (dir / "in" / name).string() + ": the image is too large to process";
        EXPECT_NE(result.output.find(skippedLine), std::string::npos) << name << "\n" << result.output;
    }
    // The job's own time, as the runner reports it: the process's start is not the job's.
    const std::size_t summary = result.output.find("0 done, 2 skipped in ");
    ASSERT_NE(summary, std::string::npos) << result.output;
    EXPECT_LT(std::stod(result.output.substr(summary + std::string("0 done, 2 skipped in ").size())), 1.0)
        << result.output;
}

TEST(BatchRunner, GifsOfGiantFramesRunOutOfMemoryWithoutEndingTheJob) {
    // Valid, of a few hundred kilobytes each, under the pixel bound, whose decoder asks for 784 MB at
    // once for the frame: under a 1 GB address-space limit that cannot be had, which must skip them as
    // running out of memory, never end the process, and leave nothing behind; the photo beside them is
    // still processed.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's shadow memory needs more address space";
    TempDir dir;
    const std::string gif = testsupport::gifOfOneColour(14000);
    ASSERT_LT(gif.size(), 400'000u);
    const auto reading = testsupport::readElsewhere(dir.write("giant.gif", gif));
    ASSERT_TRUE(reading && reading->whole) << (reading ? reading->words : "");
    for (int i = 0; i < 4; ++i) dir.write("in/giant" + std::to_string(i) + ".gif", gif);
    testsupport::writeTestImage(dir / "in/photo.jpg", 1600, 1200, 3);

    const auto result = runBatch("--threads 4 --output " + testsupport::shellWord(dir / "out") +
                                     " --preset SD " + testsupport::shellWord(dir / "in"),
                                 nullptr, "ulimit -v 1000000; ");
    ASSERT_EQ(result.status, 0) << result.output;
    for (int i = 0; i < 4; ++i) {
        const std::string skippedLine = "skipped  [SD] " + (dir / "in").string() + "/giant" +
                                        std::to_string(i) +
                                        ".gif: the image could not be read: memory ran out";
        EXPECT_NE(result.output.find(skippedLine), std::string::npos) << result.output;
    }
    EXPECT_NE(result.output.find("1 done, 4 skipped"), std::string::npos) << result.output;
    std::size_t files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir / "out"))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1u);
}

TEST(BatchRunner, BuiltInAndCustomPresetsEndToEnd) {
    TempDir dir;
    for (int i = 0; i < 3; ++i)
        testsupport::writeTestImage(dir / ("in/photo" + std::to_string(i) + ".jpg"), 1600, 1200, i + 1);
    const auto result =
        runBatch("--output " + testsupport::shellWord(dir / "out") + " --preset SD --presets-json " +
                 "'[{\"presetName\": \"Web\", \"presetWidth\": 1000, \"presetHeight\": 1000}]' " +
                 testsupport::shellWord(dir / "in"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("6 done, 0 skipped"), std::string::npos) << result.output;

    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);
    for (int i = 0; i < 3; ++i) {
        const auto name = "photo" + std::to_string(i) + ".jpg";
        EXPECT_EQ(testsupport::imageFileSize(jobs[0] / "SD" / "in" / name), (std::pair{720, 480})) << name;
        EXPECT_EQ(testsupport::imageFileSize(jobs[0] / "Web" / "in" / name), (std::pair{1000, 1000})) << name;
    }
}

TEST(BatchRunner, EveryOutputHasExactlyThePresetsSidesAtCommonCameraSizes) {
    TempDir dir;
    // Grey JPEGs at the widths cameras write, 3:2 and 4:3, landscape and portrait: cheap to decode.
    std::vector<std::pair<int, int>> sizes;
    for (const int w : {4000, 4032, 4288, 4928, 5472, 6000, 6048, 6240, 7360}) {
        for (const int h : {w * 2 / 3, w * 3 / 4}) {
            sizes.push_back({w, h});
            sizes.push_back({h, w});
        }
    }
    // A common 16-megapixel size, whose height is not quite 3:2.
    sizes.push_back({4928, 3264});
    sizes.push_back({3264, 4928});
    const auto fileName = [](int w, int h) { return std::to_string(w) + "x" + std::to_string(h) + ".jpg"; };
    for (const auto& [w, h] : sizes) dir.write("in/" + fileName(w, h), coretest::greyJpeg(w, h));

    struct Preset {
        std::string name;
        int width = -1, height = -1, percent = -1;
        bool crop = false;
    };
    // The built-in presets' sizes, without the enhancement some of them add: it changes no size and
    // would only slow the test down.
    std::vector<Preset> presets;
    for (const auto& p : core::defaultPresets()) {
        const auto number = [&](std::string_view key) {
            return int(p.at(std::string(key)).toDouble().value());
        };
        presets.push_back(
            {core::presetName(p), number("presetWidth"), number("presetHeight"), number("presetPercent")});
    }
    presets.push_back({"W 800", 800});
    presets.push_back({"H 720", -1, 720});
    presets.push_back({"Fill", 1920, 1080, -1, true});
    std::string json;
    for (const auto& p : presets) {
        json += std::string(json.empty() ? "[" : ", ") + "{\"presetName\": \"" + p.name +
                "\", \"presetWidth\": " + std::to_string(p.width) +
                ", \"presetHeight\": " + std::to_string(p.height) +
                ", \"presetPercent\": " + std::to_string(p.percent) +
                ", \"imageCrop\": " + (p.crop ? "true" : "false") + "}";
    }
    const std::string arguments = "--output " + testsupport::shellWord(dir / "out") + " --presets-json '" +
                                  json + "]' " + testsupport::shellWord(dir / "in");
    const auto result = runBatch(arguments);
    ASSERT_EQ(result.status, 0) << result.output;
    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);

    // What a photographer expects, in whole-number arithmetic: a percentage of both sides; a width and
    // height exactly (a photo smaller on either side is skipped); one side given to the photo's long
    // side, the other in proportion, rounded down.
    const auto expected = [](const Preset& p, int w, int h) -> std::optional<std::pair<int, int>> {
        if (p.percent > 0) return std::pair{w * p.percent / 100, h * p.percent / 100};
        if (p.width > 0 && p.height > 0) {
            if (w < p.width || h < p.height) return std::nullopt;
            return std::pair{p.width, p.height};
        }
        const int side = std::max(p.width, p.height);
        const int other = int(std::int64_t(std::min(w, h)) * side / std::max(w, h));
        return w >= h ? std::pair{side, other} : std::pair{other, side};
    };
    for (const auto& p : presets) {
        for (const auto& [w, h] : sizes) {
            const auto output = jobs[0] / p.name / "in" / fileName(w, h);
            const auto want = expected(p, w, h);
            if (want) {
                EXPECT_EQ(testsupport::imageFileSize(output), *want) << p.name << " " << fileName(w, h);
            } else {
                EXPECT_FALSE(std::filesystem::exists(output)) << p.name << " " << fileName(w, h);
            }
        }
    }
}

TEST(BatchRunner, HelpPrintsTheUsageAndSucceeds) {
    TempDir dir;
    const std::filesystem::path errors = dir / "errors.txt";
    const std::string output = (dir / "out").string();
    for (const std::string& arguments :
         {std::string("--help"), "--output " + testsupport::shellWord(output) + " --help --preset SD"}) {
        SCOPED_TRACE(arguments);
        const auto help = runBatch(arguments, &errors);
        EXPECT_EQ(help.status, 0) << help.output;
        EXPECT_TRUE(help.output.starts_with("usage: vorta-batch --output DIR")) << help.output;
        EXPECT_EQ(std::filesystem::file_size(errors), 0u) << "asked for, the usage is no error";
    }
    EXPECT_FALSE(std::filesystem::exists(output)) << "help runs no job";
}

TEST(BatchRunner, SaysWhyAJobCannotRun) {
    TempDir dir;
    EXPECT_EQ(runBatch("--preset SD").status, 2);
    EXPECT_EQ(runBatch("--output " + testsupport::shellWord(dir.path()) + " --preset Nope x.jpg").status, 2);
    const auto empty = runBatch("--output " + testsupport::shellWord(dir / "out") + " --preset SD " +
                                testsupport::shellWord(dir / "nothing"));
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.output.find("No images"), std::string::npos) << empty.output;

    // A folder for temporary files that is not there: said when the runner needs one for its own
    // settings; with a settings file of its own the job runs.
    testsupport::writeTestImage(dir / "in/photo.jpg", 1600, 1200);
    const std::string missing = "TMPDIR=" + (dir / "gone").string();
    for (const bool ownSettings : {false, true}) {
        SCOPED_TRACE(ownSettings ? "with --settings" : "without --settings");
        std::vector<std::string> arguments{"--output", (dir / "out").string(), "--preset", "SD",
                                           (dir / "in").string()};
        if (ownSettings)
            arguments.insert(arguments.begin(), {"--settings", (dir / "settings.json").string()});
        testsupport::BatchProcess runner(arguments, {missing});
        ASSERT_TRUE(runner.waitForEnd(std::chrono::seconds(60)));
        EXPECT_EQ(runner.endingSignal(), 0) << runner.output();
        if (ownSettings) {
            EXPECT_EQ(runner.exitStatus(), 0) << runner.output();
            EXPECT_NE(runner.output().find("1 done, 0 skipped"), std::string::npos) << runner.output();
        } else {
            EXPECT_EQ(runner.exitStatus(), 1) << runner.output();
            EXPECT_NE(runner.output().find("no folder for temporary files (TMPDIR is"), std::string::npos)
                << runner.output();
        }
    }
}

TEST(BatchRunner, ASignalStopsTheJobAsTheApplicationDoesAndLeavesNoTemporary) {
    using namespace std::chrono_literals;
    TempDir dir;
    for (int i = 0; i < 4; ++i)
        testsupport::writeTestImage(dir / ("in/photo" + std::to_string(i) + ".jpg"), 1600, 1200);
    const auto temporariesBelow = [](const std::filesystem::path& folder) {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
            const std::string name = e.path().filename().string();
            if (name.starts_with(".vorta-") && name.ends_with(".part")) found.push_back(name);
        }
        return found;
    };
    const auto arguments = [&](const std::string& out, const std::string& hold) {
        return std::vector<std::string>{"--output", (dir / out).string(), "--preset", "SD", "--threads", "1",
                                        hold,       (dir / "in").string()};
    };
    {
        SCOPED_TRACE("SIGTERM while a file is written: it is finished, the job stops");
        testsupport::BatchProcess runner(arguments("out1", "--hold-write"));
        ASSERT_TRUE(runner.waitForLine("holding", 60s)) << runner.output();
        runner.signal(SIGTERM);
        ASSERT_TRUE(runner.waitForEnd(60s));
        EXPECT_EQ(runner.endingSignal(), 0) << "killed by the signal\n" << runner.output();
        EXPECT_EQ(runner.exitStatus(), 128 + SIGTERM) << runner.output();
        EXPECT_NE(runner.output().find("vorta-batch: stopped by SIGTERM"), std::string::npos)
            << runner.output();
        EXPECT_NE(runner.output().find("1 done, 3 skipped"), std::string::npos)
            << "the held file is finished, the others cancelled\n"
            << runner.output();
        EXPECT_EQ(temporariesBelow(dir / "out1"), std::vector<std::string>{});
        std::vector<std::filesystem::path> written;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir / "out1"))
            if (e.is_regular_file()) written.push_back(e.path());
        ASSERT_EQ(written.size(), 1u);
        EXPECT_TRUE(testsupport::decodesWhole(written[0])) << written[0];
    }
    {
        SCOPED_TRACE("SIGTERM, then SIGINT while the file never finishes: it is removed at once");
        testsupport::BatchProcess runner(arguments("out2", "--hold-write=for-ever"));
        ASSERT_TRUE(runner.waitForLine("holding", 60s)) << runner.output();
        runner.signal(SIGTERM);
        ASSERT_TRUE(runner.waitForLine("vorta-batch: stopping on SIGTERM", 60s)) << runner.output();
        runner.signal(SIGINT);
        // Well before the thirty seconds a single signal waits for the file.
        ASSERT_TRUE(runner.waitForEnd(15s)) << "the second signal did not end the wait";
        EXPECT_EQ(runner.endingSignal(), 0) << runner.output();
        EXPECT_EQ(runner.exitStatus(), 128 + SIGTERM) << runner.output();
        EXPECT_NE(runner.output().find("vorta-batch: stopped at once by a second SIGINT"), std::string::npos)
            << runner.output();
        EXPECT_EQ(temporariesBelow(dir / "out2"), std::vector<std::string>{});
    }
}

TEST(BatchRunner, SaliencyPresetAndTextWatermarkEndToEnd) {
    TempDir dir;
    testsupport::writeTestImage(dir / "in/photo.jpg", 1200, 900, 7);
    const auto result = runBatch(
        "--output " + testsupport::shellWord(dir / "out") +
        " --watermark-text Vorta --watermark-position 29 " +
        "--presets-json '[{\"presetName\": \"Smart\", \"presetWidth\": 600, \"presetHeight\": 400, " +
        "\"autoSaliency\": true}]' " + testsupport::shellWord(dir / "in" / "photo.jpg"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("1 done, 0 skipped"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Position value : 29"), std::string::npos) << result.output;
    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(testsupport::imageFileSize(jobs[0] / "photo.jpg"), (std::pair{600, 400}));
}
