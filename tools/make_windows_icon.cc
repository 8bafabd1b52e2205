// Writes the Windows icon of the desktop program, src/win32/quorlith-gui.ico,
// from the same 256-pixel picture as the Linux icons: 16, 32 and 48 pixels
// as 32-bit bitmaps with an alpha channel, which every part of Windows
// draws, and 256 pixels as PNG, as Explorer's large views expect.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSizes[] = {16, 32, 48, 256};
constexpr int kPngSize = 256;
constexpr int kDirectorySize = 2 + 2 + 2;  // reserved, type, count
constexpr int kEntrySize = 1 + 1 + 1 + 1 + 2 + 2 + 4 + 4;
constexpr int kBitmapHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint16_t kIconType = 1;

// REQUIRES: bytes <= 4.
void PutLittle(QByteArray& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

// An icon bitmap: the header with twice the height (colour and mask), the
// BGRA rows bottom-up, then the transparency mask, one bit a pixel, each
// row padded to 32 bits.
QByteArray Bitmap(const QImage& image) {
  int side = image.width();
  int mask_row = (side + 31) / 32 * 4;
  QByteArray out;
  PutLittle(out, kBitmapHeaderSize, 4);
  PutLittle(out, static_cast<std::uint32_t>(side), 4);
  PutLittle(out, static_cast<std::uint32_t>(2 * side), 4);
  PutLittle(out, 1, 2);   // planes
  PutLittle(out, 32, 2);  // bits a pixel
  PutLittle(out, 0, 4);   // no compression
  PutLittle(out, static_cast<std::uint32_t>(side * side * 4 + side * mask_row),
            4);
  out.append(4 + 4 + 4 + 4, '\0');  // resolutions, palette sizes
  for (int y = side - 1; y >= 0; --y) {
    for (int x = 0; x < side; ++x) PutLittle(out, image.pixel(x, y), 4);
  }
  for (int y = side - 1; y >= 0; --y) {
    std::vector<unsigned char> row(static_cast<std::size_t>(mask_row), 0);
    for (int x = 0; x < side; ++x) {
      if (qAlpha(image.pixel(x, y)) == 0) {
        row[static_cast<std::size_t>(x / 8)] |=
            static_cast<unsigned char>(0x80 >> (x % 8));
      }
    }
    out.append(reinterpret_cast<const char*>(row.data()),
               static_cast<qsizetype>(row.size()));
  }
  return out;
}

// `picture` scaled down to `side` by averaging the area each pixel covers,
// weighted by alpha. Integer arithmetic throughout, so that the icon is the
// same bytes on every processor: Qt's smooth scaling takes a different
// path, and rounds differently, where the processor offers wider vector
// instructions, and the committed icon is compared with what this makes.
QImage AreaAverage(const QImage& picture, int side) {
  const std::int64_t from = picture.width();
  QImage out(side, side, QImage::Format_ARGB32);
  // Spans in units of 1/(from * side): a source pixel is `side` long, a
  // scaled one `from`.
  auto overlap = [&](std::int64_t s, std::int64_t d) {
    return std::max<std::int64_t>(0, std::min((s + 1) * side, (d + 1) * from) -
                                         std::max(s * side, d * from));
  };
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      std::int64_t alpha = 0, colour[3] = {0, 0, 0};
      for (std::int64_t sy = y * from / side; sy * side < (y + 1) * from;
           ++sy) {
        for (std::int64_t sx = x * from / side; sx * side < (x + 1) * from;
             ++sx) {
          QRgb p = picture.pixel(static_cast<int>(sx), static_cast<int>(sy));
          std::int64_t weight = overlap(sx, x) * overlap(sy, y) * qAlpha(p);
          alpha += weight;
          colour[0] += weight * qRed(p);
          colour[1] += weight * qGreen(p);
          colour[2] += weight * qBlue(p);
        }
      }
      auto channel = [&](std::int64_t c) {
        return alpha == 0 ? 0 : static_cast<int>((2 * c + alpha) / (2 * alpha));
      };
      const std::int64_t area = from * from;
      out.setPixel(
          x, y,
          qRgba(channel(colour[0]), channel(colour[1]), channel(colour[2]),
                static_cast<int>((2 * alpha + area) / (2 * area))));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_windows_icon PICTURE.png OUTPUT.ico\n");
    return 2;
  }
  QImage picture(QString::fromLocal8Bit(argv[1]));
  if (picture.isNull() || picture.width() != picture.height()) {
    std::fprintf(stderr,
                 "make_windows_icon: cannot read %s as a square picture\n",
                 argv[1]);
    return 1;
  }
  picture = picture.convertToFormat(QImage::Format_ARGB32);
  std::vector<QByteArray> images;
  for (int side : kSizes) {
    // Averaging, not sampling, keeps thin strokes at 16.
    QImage scaled =
        side == picture.width() ? picture : AreaAverage(picture, side);
    if (side == kPngSize) {
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      scaled.save(&buffer, "PNG");
      images.push_back(png);
    } else {
      images.push_back(Bitmap(scaled));
    }
  }
  QByteArray out;
  PutLittle(out, 0, 2);
  PutLittle(out, kIconType, 2);
  PutLittle(out, static_cast<std::uint32_t>(images.size()), 2);
  std::uint32_t offset = kDirectorySize + kEntrySize * std::size(kSizes);
  for (std::size_t i = 0; i < images.size(); ++i) {
    int side = kSizes[i];
    // A side of 256 is written as 0: the field has one byte.
    PutLittle(out, static_cast<std::uint32_t>(side % 256), 1);
    PutLittle(out, static_cast<std::uint32_t>(side % 256), 1);
    PutLittle(out, 0, 2);   // no palette, reserved
    PutLittle(out, 1, 2);   // planes
    PutLittle(out, 32, 2);  // bits a pixel
    PutLittle(out, static_cast<std::uint32_t>(images[i].size()), 4);
    PutLittle(out, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const QByteArray& image : images) out.append(image);
  QFile file(QString::fromLocal8Bit(argv[2]));
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
    std::fprintf(stderr, "make_windows_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
