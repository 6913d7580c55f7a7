#include "media/MediaCheck.h"

#include "media/SvgSafety.h"

#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"

#include <algorithm>
#include <array>

namespace dorvel {

namespace {

struct Extension {
    std::string_view name;
    MediaKind kind;
};

constexpr std::array kExtensions = {
    Extension{".png", MediaKind::Picture},
    Extension{".jpg", MediaKind::Picture},
    Extension{".jpeg", MediaKind::Picture},
    Extension{".gif", MediaKind::Picture},
    Extension{".webp", MediaKind::Picture},
    Extension{".svg", MediaKind::Picture},
    Extension{".wav", MediaKind::Sound},
    Extension{".mp3", MediaKind::Sound},
    Extension{".ogg", MediaKind::Sound},
};

// A JPEG's size stands in its frame header, after the metadata blocks
// (a camera's Exif block with its thumbnail can be 64 KB, and several may
// come first): this much of the file is read to find it.
constexpr std::size_t kHeadBytes = 512 * 1024;

unsigned byteAt(std::string_view s, std::size_t i)
{
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u;
}

unsigned be16(std::string_view s, std::size_t i)
{
    return byteAt(s, i) << 8 | byteAt(s, i + 1);
}

unsigned le16(std::string_view s, std::size_t i)
{
    return byteAt(s, i) | byteAt(s, i + 1) << 8;
}

unsigned le24(std::string_view s, std::size_t i)
{
    return le16(s, i) | byteAt(s, i + 2) << 16;
}

std::uint32_t be32(std::string_view s, std::size_t i)
{
    return std::uint32_t(be16(s, i)) << 16 | be16(s, i + 2);
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// An SVG is XML text: after a byte-order mark, blanks, an XML declaration,
// comments or a doctype, its first element must be <svg.
std::size_t svgElementStart(std::string_view head)
{
    std::size_t i = startsWith(head, "\xEF\xBB\xBF") ? 3 : 0;
    while (i < head.size()) {
        const char c = head[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '<')
            return std::string_view::npos;
        const std::string_view rest = head.substr(i);
        if (startsWith(rest, "<svg") && rest.size() > 4
            && (rest[4] == ' ' || rest[4] == '>' || rest[4] == '\t' || rest[4] == '\r' || rest[4] == '\n'))
            return i;
        std::string_view close = ">";
        if (startsWith(rest, "<!--"))
            close = "-->";
        else if (startsWith(rest, "<?"))
            close = "?>";
        else if (!startsWith(rest, "<!"))
            return std::string_view::npos;
        else if (rest.find('[') < rest.find('>'))
            close = "]>";  // a document type with declarations of its own
        const std::size_t end = rest.find(close);
        if (end == std::string_view::npos)
            return std::string_view::npos;
        i += end + close.size();
    }
    return std::string_view::npos;
}

// A number at the start of an SVG length ("300", "300px", "12.5"); units
// other than pixels only matter for the proportions, which they keep.
double svgNumber(std::string_view text)
{
    double value = 0;
    double scale = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else if (c == '.' && scale == 0) {
            scale = 0.1;
        } else {
            break;
        }
    }
    return value;
}

std::string_view svgAttribute(std::string_view tag, std::string_view name)
{
    for (std::size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        const char before = at > 0 ? tag[at - 1] : ' ';
        if (before != ' ' && before != '\t' && before != '\r' && before != '\n')
            continue;
        std::size_t i = at + name.size();
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && tag[i] == ' ')
            ++i;
        if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\''))
            continue;
        const std::size_t end = tag.find(tag[i], i + 1);
        if (end == std::string_view::npos)
            return {};
        return tag.substr(i + 1, end - i - 1);
    }
    return {};
}

bool svgSize(std::string_view head, int& width, int& height)
{
    const std::size_t start = svgElementStart(head);
    if (start == std::string_view::npos)
        return false;
    const std::size_t end = head.find('>', start);
    const std::string_view tag = head.substr(start, end == std::string_view::npos ? head.size() - start : end - start);
    double w = svgNumber(svgAttribute(tag, "width"));
    double h = svgNumber(svgAttribute(tag, "height"));
    if (w <= 0 || h <= 0) {
        // viewBox="minX minY width height"
        std::string_view box = svgAttribute(tag, "viewBox");
        double values[4] = {};
        for (double& v : values) {
            const std::size_t first = box.find_first_not_of(" ,\t");
            if (first == std::string_view::npos)
                return false;
            box.remove_prefix(first);
            v = svgNumber(box);
            const std::size_t next = box.find_first_of(" ,\t");
            box.remove_prefix(next == std::string_view::npos ? box.size() : next);
        }
        w = values[2];
        h = values[3];
    }
    if (w < 1 || h < 1 || w > 1e6 || h > 1e6)
        return false;
    width = static_cast<int>(w + 0.5);
    height = static_cast<int>(h + 0.5);
    return true;
}

bool jpegSize(std::string_view head, int& width, int& height)
{
    std::size_t i = 2;
    while (i + 4 <= head.size()) {
        if (byteAt(head, i) != 0xFF)
            return false;
        const unsigned marker = byteAt(head, i + 1);
        if (marker == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
            i += 2;
            continue;
        }
        const unsigned length = be16(head, i + 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > head.size())
                return false;
            height = static_cast<int>(be16(head, i + 5));
            width = static_cast<int>(be16(head, i + 7));
            return width > 0 && height > 0;
        }
        if (length < 2)
            return false;
        i += 2 + length;
    }
    return false;
}

bool webpSize(std::string_view head, int& width, int& height)
{
    const std::string_view chunk = head.substr(std::min<std::size_t>(12, head.size()), 4);
    if (chunk == "VP8 ") {
        if (byteAt(head, 23) != 0x9D || byteAt(head, 24) != 0x01 || byteAt(head, 25) != 0x2A)
            return false;
        width = static_cast<int>(le16(head, 26) & 0x3FFF);
        height = static_cast<int>(le16(head, 28) & 0x3FFF);
    } else if (chunk == "VP8L") {
        if (byteAt(head, 20) != 0x2F)
            return false;
        const std::uint32_t bits = le16(head, 21) | std::uint32_t(le16(head, 23)) << 16;
        width = static_cast<int>((bits & 0x3FFF) + 1);
        height = static_cast<int>(((bits >> 14) & 0x3FFF) + 1);
    } else if (chunk == "VP8X") {
        width = static_cast<int>(le24(head, 24) + 1);
        height = static_cast<int>(le24(head, 27) + 1);
    } else {
        return false;
    }
    return width > 0 && height > 0;
}

MediaCheck verdict(MediaVerdict v)
{
    MediaCheck check;
    check.verdict = v;
    return check;
}

}  // namespace

bool MediaKindOfExtension(std::string_view lowerExtension, MediaKind& kind)
{
    for (const Extension& e : kExtensions) {
        if (e.name == lowerExtension) {
            kind = e.kind;
            return true;
        }
    }
    return false;
}

bool IsMediaExtension(MediaKind kind, std::string_view lowerExtension)
{
    MediaKind found;
    return MediaKindOfExtension(lowerExtension, found) && found == kind;
}

std::string MediaFilePatterns(MediaKind kind)
{
    std::string patterns;
    for (const Extension& e : kExtensions) {
        if (e.kind != kind)
            continue;
        if (!patterns.empty())
            patterns += ' ';
        patterns += "*";
        patterns += e.name;
    }
    return patterns;
}

bool HasMediaSignature(std::string_view ext, std::string_view head)
{
    if (ext == ".png")
        return startsWith(head, "\x89PNG\r\n\x1A\n");
    if (ext == ".jpg" || ext == ".jpeg")
        return startsWith(head, "\xFF\xD8\xFF");
    if (ext == ".gif")
        return startsWith(head, "GIF87a") || startsWith(head, "GIF89a");
    if (ext == ".webp")
        return startsWith(head, "RIFF") && head.substr(std::min<std::size_t>(8, head.size()), 4) == "WEBP";
    if (ext == ".svg")
        return svgElementStart(head.substr(0, 4096)) != std::string_view::npos;
    if (ext == ".wav")
        return startsWith(head, "RIFF") && head.substr(std::min<std::size_t>(8, head.size()), 4) == "WAVE";
    if (ext == ".mp3")
        // An ID3 tag first, or straight away an MPEG audio frame (11 bits set).
        return startsWith(head, "ID3") || (byteAt(head, 0) == 0xFF && (byteAt(head, 1) & 0xE0) == 0xE0);
    if (ext == ".ogg")
        return startsWith(head, "OggS");
    return false;
}

bool PictureSizeFromHead(std::string_view ext, std::string_view head, int& width, int& height)
{
    width = height = 0;
    if (ext == ".png") {
        if (head.substr(std::min<std::size_t>(12, head.size()), 4) != "IHDR")
            return false;
        const std::uint32_t w = be32(head, 16);
        const std::uint32_t h = be32(head, 20);
        if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
            return false;
        width = static_cast<int>(w);
        height = static_cast<int>(h);
        return true;
    }
    if (ext == ".gif") {
        width = static_cast<int>(le16(head, 6));
        height = static_cast<int>(le16(head, 8));
        return head.size() >= 10 && width > 0 && height > 0;
    }
    if (ext == ".jpg" || ext == ".jpeg")
        return jpegSize(head, width, height);
    if (ext == ".webp")
        return webpSize(head, width, height);
    if (ext == ".svg")
        return svgSize(head, width, height);
    return false;
}

namespace {

// The verdict on a file of `size` bytes whose first bytes are `head` (the
// whole of an SVG, which is read through), once its name and its being a
// file have passed.
MediaCheck checkContent(std::string_view ext, MediaKind kind, std::int64_t size, std::string_view head)
{
    if (kind == MediaKind::Picture && size > kMaxPictureBytes)
        return verdict(MediaVerdict::TooLarge);
    if (!HasMediaSignature(ext, head))
        return verdict(MediaVerdict::WrongContent);

    MediaCheck check = verdict(MediaVerdict::Ok);
    if (kind == MediaKind::Picture) {
        const bool known = PictureSizeFromHead(ext, head, check.width, check.height);
        // A raster picture whose header gives no size is damaged; an SVG may
        // leave its size to the page.
        if (!known && ext != ".svg")
            return verdict(MediaVerdict::WrongContent);
        if (check.width > kMaxPictureSide || check.height > kMaxPictureSide)
            check.verdict = MediaVerdict::TooManyPixels;
        else if (ext == ".svg")
            check.verdict = CheckSvgSafety(head);
    }
    return check;
}

}  // namespace

MediaCheck CheckQuestionMedia(const std::string& path, MediaKind kind)
{
    const std::string ext = LowerCase(ExtractFileExt(path));
    if (!IsMediaExtension(kind, ext))
        return verdict(MediaVerdict::UnknownKind);
    if (path.find_first_of("<>") != std::string::npos)
        return verdict(MediaVerdict::UnsafeName);
    const std::string native = NativeSeparators(path);
    if (!OpenForReading(native).valid())
        return verdict(MediaVerdict::Missing);
    const Fd fd = OpenRegularFile(native);
    if (!fd.valid())
        return verdict(MediaVerdict::NotAFile);
    const std::int64_t size = SizeOf(fd.get());
    if (size < 0)
        return verdict(MediaVerdict::Missing);
    if (kind == MediaKind::Picture && size > kMaxPictureBytes)
        return verdict(MediaVerdict::TooLarge);

    const std::int64_t wanted = ext == ".svg" ? size : std::min<std::int64_t>(size, kHeadBytes);
    const std::string head = ReadFileHead(fd.get(), static_cast<std::size_t>(wanted));
    return checkContent(ext, kind, size, head);
}

std::string ReadFileHead(int fd, std::size_t size)
{
    std::string head(size, '\0');
    std::size_t got = 0;
    while (got < head.size()) {
        const std::int64_t n = ReadSome(fd, head.data() + got, head.size() - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    head.resize(got);
    return head;
}

MediaCheck CheckMediaBytes(std::string_view name, MediaKind kind, std::string_view bytes)
{
    const std::string ext = LowerCase(ExtractFileExt(name));
    if (!IsMediaExtension(kind, ext))
        return verdict(MediaVerdict::UnknownKind);
    return checkContent(ext, kind, static_cast<std::int64_t>(bytes.size()),
                        ext == ".svg" ? bytes : bytes.substr(0, kHeadBytes));
}

}  // namespace dorvel
