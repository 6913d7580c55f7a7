#include "paper/PngScaledReader.h"

#include <png.h>

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace dorvel {

namespace {

struct PngFile {
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;

    ~PngFile()
    {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (file)
            std::fclose(file);
    }
};

}  // namespace

QImage ReadPngScaled(const QString& path, QSize size)
{
    PngFile f;
    f.file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!f.file)
        return {};
    png_byte signature[8];
    if (std::fread(signature, 1, 8, f.file) != 8 || png_sig_cmp(signature, 0, 8) != 0)
        return {};
    f.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!f.png)
        return {};
    f.info = png_create_info_struct(f.png);
    if (!f.info)
        return {};

    // Everything the rows need is made before libpng may jump back here.
    QImage out;
    std::vector<png_byte> row;
    std::vector<std::uint64_t> sums;
    std::vector<std::uint32_t> counts;
    if (setjmp(png_jmpbuf(f.png)))
        return {};
    png_init_io(f.png, f.file);
    png_set_sig_bytes(f.png, 8);
    png_read_info(f.png, f.info);
    const png_uint_32 width = png_get_image_width(f.png, f.info);
    const png_uint_32 height = png_get_image_height(f.png, f.info);
    if (png_get_interlace_type(f.png, f.info) != PNG_INTERLACE_NONE || width == 0 || height == 0)
        return {};
    // Any PNG as 8-bit RGBA rows.
    png_set_strip_16(f.png);
    png_set_palette_to_rgb(f.png);
    png_set_expand_gray_1_2_4_to_8(f.png);
    png_set_tRNS_to_alpha(f.png);
    png_set_gray_to_rgb(f.png);
    png_set_filler(f.png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(f.png, f.info);
    if (png_get_rowbytes(f.png, f.info) != std::size_t(width) * 4)
        return {};

    const int outWidth = std::clamp<int>(size.width(), 1, int(width));
    const int outHeight = std::clamp<int>(size.height(), 1, int(height));
    out = QImage(outWidth, outHeight, QImage::Format_RGBA8888);
    if (out.isNull())
        return {};
    row.resize(std::size_t(width) * 4);
    sums.assign(std::size_t(outWidth) * 4, 0);
    counts.assign(std::size_t(outWidth), 0);
    // Each pixel of the result is the mean of the file's pixels it covers.
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(f.png, row.data(), nullptr);
        for (png_uint_32 x = 0; x < width; ++x) {
            const std::size_t column = std::size_t(std::uint64_t(x) * outWidth / width);
            for (int c = 0; c < 4; ++c)
                sums[column * 4 + c] += row[std::size_t(x) * 4 + c];
            ++counts[column];
        }
        const int line = int(std::uint64_t(y) * outHeight / height);
        const bool lastOfLine = y + 1 == height || int(std::uint64_t(y + 1) * outHeight / height) != line;
        if (!lastOfLine)
            continue;
        uchar* target = out.scanLine(line);
        for (int column = 0; column < outWidth; ++column) {
            for (int c = 0; c < 4; ++c)
                target[column * 4 + c] = uchar(sums[std::size_t(column) * 4 + c] / std::max<std::uint32_t>(1, counts[column]));
        }
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
    }
    return out;
}

}  // namespace dorvel
