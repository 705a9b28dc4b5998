#include "core/picture/PictureFile.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <new>

namespace gf {

namespace {

unsigned At(std::span<const std::byte> b, std::size_t i) {
    return std::to_integer<unsigned>(b[i]);
}

// Reads of a TIFF structure in its own byte order, bounds-checked: a read outside gives nothing.
class TiffReader {
  public:
    explicit TiffReader(std::span<const std::byte> tiff) : b_(tiff) {}
    bool header() {
        if (b_.size() < 8)
            return false;
        if (At(b_, 0) == 'I' && At(b_, 1) == 'I')
            little_ = true;
        else if (At(b_, 0) == 'M' && At(b_, 1) == 'M')
            little_ = false;
        else
            return false;
        return u16(2) == 42;
    }
    std::optional<std::uint32_t> u16(std::size_t at) const {
        if (at > b_.size() || b_.size() - at < 2)
            return std::nullopt;
        return little_ ? At(b_, at) | At(b_, at + 1) << 8 : At(b_, at) << 8 | At(b_, at + 1);
    }
    std::optional<std::uint32_t> u32(std::size_t at) const {
        const auto lo = u16(at + (little_ ? 0 : 2)), hi = u16(at + (little_ ? 2 : 0));
        if (!lo || !hi)
            return std::nullopt;
        return *lo | *hi << 16;
    }

  private:
    std::span<const std::byte> b_;
    bool little_ = true;
};

// An entry of a TIFF image directory: its type, count and where its value field is.
struct TiffEntry {
    std::uint32_t type = 0, count = 0;
    std::size_t value = 0;
};

// The entry of `tag` in the directory at `ifd`, if it is there and can be read.
std::optional<TiffEntry> FindTiffEntry(const TiffReader& r, std::uint32_t ifd, std::uint32_t tag) {
    const auto count = r.u16(ifd);
    if (!count)
        return std::nullopt;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::size_t entry = std::size_t(ifd) + 2 + std::size_t(i) * 12;
        const auto found = r.u16(entry), type = r.u16(entry + 2), n = r.u32(entry + 4);
        if (!found || !type || !n)
            return std::nullopt;
        if (*found == tag)
            return TiffEntry{*type, *n, entry + 8};
    }
    return std::nullopt;
}

constexpr std::uint32_t kOrientationTag = 274, kExifDirectoryTag = 0x8769,
                        kDateTimeOriginalTag = 0x9003;
constexpr std::uint32_t kShort = 3, kAscii = 2, kLong = 4, kDirectory = 13;

// The orientation tag of the first image directory of a TIFF structure.
int TiffOrientation(std::span<const std::byte> tiff) {
    TiffReader r(tiff);
    const auto ifd = r.header() ? r.u32(4) : std::nullopt;
    const auto entry = ifd ? FindTiffEntry(r, *ifd, kOrientationTag) : std::nullopt;
    if (!entry)
        return 1;
    const auto value = r.u16(entry->value); // a SHORT sits at the start of the value field
    return entry->type == kShort && value && *value >= 1 && *value <= 8 ? int(*value) : 1;
}

// "YYYY:MM:DD HH:MM:SS", each part in its range; EXIF writes blanks or zeros for no date.
std::optional<CivilTime> ParseExifDate(std::span<const std::byte> text) {
    static constexpr char kShape[] = "dddd:dd:dd dd:dd:dd";
    if (text.size() < sizeof kShape - 1)
        return std::nullopt;
    int parts[6] = {}, part = 0;
    for (std::size_t i = 0; i + 1 < sizeof kShape; ++i) {
        const unsigned c = At(text, i);
        if (kShape[i] != 'd') {
            if (c != unsigned(kShape[i]))
                return std::nullopt;
            ++part;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        } else {
            parts[part] = parts[part] * 10 + int(c - '0');
        }
    }
    const CivilTime t{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 ||
        t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

std::optional<CivilTime> TiffDateTaken(std::span<const std::byte> tiff) {
    TiffReader r(tiff);
    const auto ifd = r.header() ? r.u32(4) : std::nullopt;
    const auto pointer = ifd ? FindTiffEntry(r, *ifd, kExifDirectoryTag) : std::nullopt;
    if (!pointer || (pointer->type != kLong && pointer->type != kDirectory))
        return std::nullopt;
    const auto exif = r.u32(pointer->value);
    const auto date = exif ? FindTiffEntry(r, *exif, kDateTimeOriginalTag) : std::nullopt;
    if (!date || date->type != kAscii || date->count < 20)
        return std::nullopt;
    const auto at = r.u32(date->value); // 20 bytes do not fit the value field: an offset
    if (!at || *at > tiff.size())
        return std::nullopt;
    return ParseExifDate(tiff.subspan(*at));
}

} // namespace

Error PictureRefused(std::string_view path, std::string_view reason) {
    return Error{"Cannot show the picture " + std::string(path) + ": " + std::string(reason),
                 ErrorKind::Invalid, std::string(path), std::string(reason)};
}

Result<std::vector<std::byte>> ReadPictureFile(FileSystem& files, std::string_view path) {
    auto reader = files.openForReading(path);
    if (!reader)
        return PictureRefused(path, reader.error().reasonFor(path));
    const auto size = (*reader)->size();
    if (size == 0)
        return PictureRefused(path, "the file is empty");
    if (size > kMaxPictureFileBytes)
        return PictureRefused(path, "the file is too large (" +
                                        std::to_string(size / (1024 * 1024)) + " MB; at most " +
                                        std::to_string(kMaxPictureFileBytes / (1024 * 1024)) +
                                        " MB)");
    std::vector<std::byte> bytes;
    try {
        bytes.resize(std::size_t(size));
    } catch (const std::bad_alloc&) {
        return PictureRefused(path, "there is not enough memory to read it");
    }
    if (auto st = (*reader)->readAt(0, bytes); !st)
        return PictureRefused(path, "it cannot be read (" + st.message() + ")");
    return bytes;
}

bool IsMetafile(std::span<const std::byte> b) {
    if (b.size() >= 4 && At(b, 0) == 0xD7 && At(b, 1) == 0xCD && At(b, 2) == 0xC6 &&
        At(b, 3) == 0x9A)
        return true;
    // Type 1 or 2, a header of 9 words, version 1 or 3.
    return b.size() >= 18 && (At(b, 0) == 1 || At(b, 0) == 2) && At(b, 1) == 0 && At(b, 2) == 9 &&
           At(b, 3) == 0 && At(b, 4) == 0 && (At(b, 5) == 1 || At(b, 5) == 3);
}

namespace {

// A start-of-frame marker: SOF0 to SOF15 but DHT (C4), JPG (C8) and DAC (CC), which share
// the range.
bool IsJpegFrame(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks a JPEG's marker segments from the start of the image up to its first scan, calling
// `visit(marker, at, length)` with the marker's offset and the segment's stated length; stops
// when `visit` returns true or where the bytes stop being markers.
template <class Visit> void WalkJpegSegments(std::span<const std::byte> b, Visit visit) {
    if (b.size() < 4 || At(b, 0) != 0xFF || At(b, 1) != 0xD8)
        return;
    std::size_t i = 2;
    while (i + 4 <= b.size() && At(b, i) == 0xFF) {
        const unsigned marker = At(b, i + 1);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xDA)
            return;
        const std::size_t length = At(b, i + 2) << 8 | At(b, i + 3);
        if (visit(marker, i, length) || length < 2)
            return;
        i += 2 + length;
    }
}

std::optional<PixelSize> JpegFrameSize(std::span<const std::byte> b) {
    std::optional<PixelSize> size;
    WalkJpegSegments(b, [&](unsigned marker, std::size_t i, std::size_t) {
        if (IsJpegFrame(marker) && i + 9 <= b.size())
            size = PixelSize{At(b, i + 7) << 8 | At(b, i + 8), At(b, i + 5) << 8 | At(b, i + 6)};
        return size.has_value();
    });
    return size;
}

std::int64_t BigEndian32(std::span<const std::byte> b, std::size_t at) {
    return std::int64_t(At(b, at)) << 24 | At(b, at + 1) << 16 | At(b, at + 2) << 8 | At(b, at + 3);
}

std::int64_t LittleEndian32(std::span<const std::byte> b, std::size_t at) {
    return std::int32_t(At(b, at) | At(b, at + 1) << 8 | At(b, at + 2) << 16 |
                        std::uint32_t(At(b, at + 3)) << 24);
}

bool StartsWith(std::span<const std::byte> b, std::string_view magic) {
    return b.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), b.begin(),
                      [](char m, std::byte c) { return std::byte(m) == c; });
}

} // namespace

std::optional<PixelSize> StatedPixelSize(std::span<const std::byte> b) {
    if (StartsWith(b, "\x89PNG\r\n\x1A\n") && b.size() >= 24 && StartsWith(b.subspan(12), "IHDR"))
        return PixelSize{BigEndian32(b, 16), BigEndian32(b, 20)};
    if ((StartsWith(b, "GIF87a") || StartsWith(b, "GIF89a")) && b.size() >= 10)
        return PixelSize{At(b, 6) | At(b, 7) << 8, At(b, 8) | At(b, 9) << 8};
    // A BMP's height is negative when its rows are stored from the top down.
    if (StartsWith(b, "BM") && b.size() >= 26 && LittleEndian32(b, 14) >= 40)
        return PixelSize{LittleEndian32(b, 18), std::abs(LittleEndian32(b, 22))};
    return JpegFrameSize(b);
}

bool PictureAdmitted(PixelSize size) {
    return size.width * size.height <= kMaxPicturePixels;
}

std::string TooLargeReason(PixelSize size) {
    return "it is too large (" + std::to_string(size.width) + " x " + std::to_string(size.height) +
           " pixels; at most " + std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels)";
}

std::string UnreadableReason(std::span<const std::byte> bytes, bool formatKnown) {
    if (auto stated = StatedPixelSize(bytes)) {
        if (stated->width <= 0 || stated->height <= 0)
            return "its header states no size: the file is damaged";
        if (!PictureAdmitted(*stated) || stated->width > 65500 || stated->height > 65500)
            return TooLargeReason(*stated);
    }
    if (!formatKnown)
        return "it is not a picture in a format this program reads";
    return "its header cannot be read: the file is damaged or cut short";
}

std::string UndecodableReason(std::string_view detail) {
    if (detail.empty())
        return "its picture data cannot be decoded: the file is damaged or cut short";
    return "its picture data cannot be decoded (" + std::string(detail) + ")";
}

std::optional<std::string> MetafileRenderRefusal(PixelSize size) {
    if (size.width < 1 || size.height < 1)
        return "The picture cannot be drawn at no size.";
    if (size.width * size.height > kMaxMetafileRenderPixels)
        return "The picture is too large to draw (" + std::to_string(size.width) + " x " +
               std::to_string(size.height) + " pixels).";
    return std::nullopt;
}

namespace {
// The TIFF structure holding the EXIF data: a TIFF file itself, or a JPEG's APP1 block, which
// comes before the picture data.
std::span<const std::byte> ExifTiff(std::span<const std::byte> b) {
    if (b.size() >= 4 &&
        ((At(b, 0) == 'I' && At(b, 1) == 'I') || (At(b, 0) == 'M' && At(b, 1) == 'M')))
        return b;
    std::span<const std::byte> tiff;
    WalkJpegSegments(b, [&](unsigned marker, std::size_t i, std::size_t length) {
        if (IsJpegFrame(marker) || length < 2 || i + 2 + length > b.size())
            return true;
        const auto segment = b.subspan(i + 4, length - 2);
        static constexpr unsigned char kExif[] = {'E', 'x', 'i', 'f', 0, 0};
        if (marker != 0xE1 || segment.size() <= sizeof kExif ||
            !std::equal(std::begin(kExif), std::end(kExif), segment.begin(),
                        [](unsigned char a, std::byte c) { return std::byte(a) == c; }))
            return false;
        tiff = segment.subspan(sizeof kExif);
        return true;
    });
    return tiff;
}
} // namespace

int ExifOrientation(std::span<const std::byte> b) {
    return TiffOrientation(ExifTiff(b));
}

std::optional<CivilTime> ExifDateTaken(std::span<const std::byte> b) {
    return TiffDateTaken(ExifTiff(b));
}

} // namespace gf
