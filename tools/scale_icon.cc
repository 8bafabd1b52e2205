// Writes the program's icon at one size of the hicolor theme, scaled down
// from the 256-pixel picture, so that the sources keep a single picture and
// no size can drift from the others.
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMinSize = 8;
constexpr int kMaxSize = 1024;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: scale_icon PICTURE.png SIZE OUTPUT.png\n");
    return 2;
  }
  QImage picture(QString::fromLocal8Bit(argv[1]));
  if (picture.isNull()) {
    std::fprintf(stderr, "scale_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  char* end = nullptr;
  long size = std::strtol(argv[2], &end, 10);
  if (*end != '\0' || size < kMinSize || size > kMaxSize) {
    std::fprintf(stderr, "scale_icon: bad size %s\n", argv[2]);
    return 2;
  }
  // Smooth scaling averages the pixels a small icon pixel covers, which
  // keeps thin strokes visible at 16 pixels.
  int side = static_cast<int>(size);
  QImage scaled = picture.convertToFormat(QImage::Format_ARGB32).scaled(
      side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!scaled.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "scale_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
