#include "JpegCodec.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

// jpeglib.h wants size_t and FILE declared before it.
#include <jpeglib.h>
#include <unistd.h>

#include "FileSaver.h"
#include "PictureError.h"
#include "PictureLimits.h"
#include "PixelMemory.h"
#include "RegularFile.h"

namespace JpegCodec {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. We longjmp
// back to the setjmp of the small functions below. Those functions keep nothing but
// plain C data in their frames, so the jump skips no destructor; all C++ objects live in
// their callers, whose frames the jump never crosses.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ExitOnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Corrupt data that libjpeg can live with (a truncated file, a bad marker) only counts
// as a warning: the picture still shows, so we stay quiet.
void CountWarning(j_common_ptr cinfo, int level) {
  if (level < 0) ++cinfo->err->num_warnings;
}

void InitErrors(ErrorManager* err) {
  std::memset(err, 0, sizeof *err);
  jpeg_std_error(&err->pub);
  err->pub.error_exit = ExitOnError;
  err->pub.emit_message = CountWarning;
}

struct Decoder {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  bool cmyk = false;

  Decoder() {
    std::memset(&cinfo, 0, sizeof cinfo);
    InitErrors(&err);
    cinfo.err = &err.pub;
  }
  ~Decoder() { jpeg_destroy_decompress(&cinfo); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;
};

struct Encoder {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  unsigned char* out = nullptr;  // grown by libjpeg's memory destination
  unsigned long outSize = 0;

  Encoder() {
    std::memset(&cinfo, 0, sizeof cinfo);
    InitErrors(&err);
    cinfo.err = &err.pub;
  }
  ~Encoder() {
    jpeg_destroy_compress(&cinfo);
    std::free(out);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;
};

// ---- The functions that call libjpeg under setjmp. No C++ objects in here. ----

// Creates the decompressor and reads the header from memory or from a FILE*.
bool StartHeader(Decoder* d, const unsigned char* data, unsigned long size, std::FILE* file) {
  if (setjmp(d->err.jump)) return false;
  jpeg_create_decompress(&d->cinfo);
  if (file)
    jpeg_stdio_src(&d->cinfo, file);
  else
    jpeg_mem_src(&d->cinfo, data, size);
  jpeg_read_header(&d->cinfo, TRUE);
  return true;
}

// Chooses the output colour space and scale and computes the output size. libjpeg may
// use at most maxMemory bytes of its own: past that it fails instead of allocating.
bool Prepare(Decoder* d, unsigned int scaleDenom, long maxMemory) {
  if (setjmp(d->err.jump)) return false;
  d->cinfo.mem->max_memory_to_use = maxMemory;
  jpeg_decompress_struct* c = &d->cinfo;
  d->cmyk = c->jpeg_color_space == JCS_CMYK || c->jpeg_color_space == JCS_YCCK;
  // libjpeg-turbo writes B,G,R,X straight into Format_RGB32 rows, grey files included.
  // CMYK is converted by us afterwards, in the same four bytes per pixel.
  c->out_color_space = d->cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  c->scale_num = 1;
  c->scale_denom = scaleDenom;
  jpeg_calc_output_dimensions(c);
  return true;
}

void CmykToBgrx(unsigned char* p, unsigned int width, int inverted) {
  for (unsigned int x = 0; x < width; ++x, p += 4) {
    unsigned int c = p[0], m = p[1], y = p[2], k = p[3];
    // Adobe's files store the inks inverted (0 = full ink); make them plain ink levels.
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    // Here each value is 255 - ink, so the light left is value * (255 - black ink).
    const unsigned int r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (y * k + 127) / 255;
    p[0] = (unsigned char)b;
    p[1] = (unsigned char)g;
    p[2] = (unsigned char)r;
    p[3] = 0xFF;
  }
}

// Decodes every row into bits (stride bytes apart).
bool ReadRows(Decoder* d, unsigned char* bits, std::ptrdiff_t stride) {
  if (setjmp(d->err.jump)) return false;
  jpeg_decompress_struct* c = &d->cinfo;
  jpeg_start_decompress(c);
  JSAMPROW rows[16];
  while (c->output_scanline < c->output_height) {
    const unsigned int first = c->output_scanline;
    unsigned int n = c->output_height - first;
    if (n > 16) n = 16;
    for (unsigned int i = 0; i < n; ++i) rows[i] = bits + std::ptrdiff_t(first + i) * stride;
    const unsigned int got = jpeg_read_scanlines(c, rows, n);
    if (d->cmyk)
      for (unsigned int i = 0; i < got; ++i)
        CmykToBgrx(rows[i], c->output_width, c->saw_Adobe_marker);
  }
  jpeg_finish_decompress(c);
  return true;
}

bool Compress(Encoder* e, const unsigned char* bits, std::ptrdiff_t stride, unsigned int width,
              unsigned int height, int grey, int quality) {
  if (setjmp(e->err.jump)) return false;
  jpeg_compress_struct* c = &e->cinfo;
  jpeg_create_compress(c);
  jpeg_mem_dest(c, &e->out, &e->outSize);
  c->image_width = width;
  c->image_height = height;
  c->input_components = grey ? 1 : 4;
  c->in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
  jpeg_set_defaults(c);
  jpeg_set_quality(c, quality, TRUE);
  jpeg_start_compress(c, TRUE);
  JSAMPROW rows[16];
  while (c->next_scanline < c->image_height) {
    const unsigned int first = c->next_scanline;
    unsigned int n = c->image_height - first;
    if (n > 16) n = 16;
    // libjpeg never writes to its input rows; the API just lacks const.
    for (unsigned int i = 0; i < n; ++i)
      rows[i] = const_cast<unsigned char*>(bits + std::ptrdiff_t(first + i) * stride);
    jpeg_write_scanlines(c, rows, n);
  }
  jpeg_finish_compress(c);
  return true;
}

// ---- C++ side ----

[[noreturn]] void Fail(const QString& path, const QString& reason) {
  throw PictureError(
      QStringLiteral("Cannot read the JPEG file \"%1\": %2").arg(path, reason).toStdString());
}

[[noreturn]] void FailJpeg(const QString& path, const ErrorManager& err) {
  Fail(path, QString::fromLocal8Bit(err.message));
}

unsigned int ValidDenom(int denom) {
  if (denom >= 8) return 8;
  if (denom >= 4) return 4;
  if (denom >= 2) return 2;
  return 1;
}

// Output size at 1/denom, rounded up as libjpeg does.
qint64 Scaled(qint64 size, qint64 denom) {
  return (size + denom - 1) / denom;
}

qint64 RoundUp(qint64 value, qint64 multiple) {
  return multiple > 0 ? (value + multiple - 1) / multiple * multiple : value;
}

// Files up to this size are read in one go and decoded from memory, which is fastest;
// larger ones are streamed, so that a huge file (a disk image named .jpg) costs what its
// header says and not its size.
constexpr qint64 kInMemoryBytes = qint64(64) << 20;

bool InMemory(qint64 fileSize) {
  return fileSize <= kInMemoryBytes;
}

using Stream = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The open file as a stdio stream for libjpeg.
Stream OpenStream(const QString& path, RegularFile& regular) {
  const int fd = regular.Release();
  Stream stream(::fdopen(fd, "rb"), &std::fclose);
  if (!stream) {
    const int error = errno;
    ::close(fd);
    Fail(path, QString::fromLocal8Bit(std::strerror(error)));
  }
  return stream;
}

// Fills the header from a decompressor that has read it, and refuses what no decode could
// afford. Every check is on the header alone, before libjpeg allocates any image memory.
Header Inspect(const QString& path, const jpeg_decompress_struct& c, qint64 fileSize) {
  Header h;
  h.size = QSize(int(c.image_width), int(c.image_height));
  h.fileBytes = InMemory(fileSize) ? fileSize : 0;
  if (!PictureLimits::SaneSize(c.image_width, c.image_height))
    Fail(path, QStringLiteral("a picture of %1 x %2 pixels is larger than Picora opens")
                   .arg(c.image_width)
                   .arg(c.image_height));
  // Progressive files and sequential files whose components come in separate scans are
  // buffered whole as DCT coefficients (128 bytes per 8 x 8 block) before any row comes
  // out, whatever the output scale.
  const bool wholeImage = c.progressive_mode || c.comps_in_scan < c.num_components;
  qint64 blocks = 0;
  for (int i = 0; i < c.num_components; ++i) {
    const jpeg_component_info& comp = c.comp_info[i];
    blocks += RoundUp(comp.width_in_blocks, comp.h_samp_factor) *
              RoundUp(comp.height_in_blocks, comp.v_samp_factor);
  }
  if (wholeImage) h.coefficientBytes = blocks * qint64(sizeof(JBLOCK));
  h.workBytes = qint64(c.image_width) * c.num_components * 64;
  // With Huffman coding every block costs at least one bit in its component's first scan
  // (arithmetic coding can spend less, so it is not judged); the first component has the
  // most blocks.
  const jpeg_component_info& first = c.comp_info[0];
  const quint64 firstBlocks = quint64(first.width_in_blocks) * first.height_in_blocks;
  const quint64 pixels = quint64(c.image_width) * c.image_height;
  const quint64 pixelsPerByte =
      firstBlocks > 0 ? std::max<quint64>(1, pixels * 8 / firstBlocks) : pixels;
  if (!c.arith_code && !PictureLimits::Plausible(pixels, fileSize, pixelsPerByte))
    Fail(path, QStringLiteral("the file is far too small for a picture of %1 x %2 pixels")
                   .arg(c.image_width)
                   .arg(c.image_height));
  if (h.PeakBytes(8) > PictureLimits::DecodeBudget)
    Fail(path, QStringLiteral("a picture of %1 x %2 pixels needs more memory than Picora gives "
                              "one picture")
                   .arg(c.image_width)
                   .arg(c.image_height));
  return h;
}

// minWidth < 0 asks for exactly scaleDenom; otherwise the scale is chosen from the header.
QImage DecodeFile(const QString& path, int scaleDenom, int minWidth, int minHeight) {
  RegularFile file(path);
  const qint64 fileSize = file.Size();
  if (fileSize == 0) Fail(path, QStringLiteral("the file is empty"));
  QByteArray bytes;
  Stream stream(nullptr, &std::fclose);
  if (InMemory(fileSize))
    bytes = file.ReadAll(kInMemoryBytes);
  else
    stream = OpenStream(path, file);
  Decoder d;
  if (!StartHeader(&d, reinterpret_cast<const unsigned char*>(bytes.constData()),
                   (unsigned long)bytes.size(), stream.get()))
    FailJpeg(path, d.err);
  const Header header = Inspect(path, d.cinfo, fileSize);
  const unsigned int denom =
      minWidth >= 0 ? unsigned(header.ScaleFor(minWidth, minHeight)) : ValidDenom(scaleDenom);
  const qint64 peak = header.PeakBytes(int(denom));
  if (peak > PictureLimits::DecodeBudget)
    Fail(path, QStringLiteral("a picture of %1 x %2 pixels needs more memory than Picora gives "
                              "one picture")
                   .arg(header.size.width())
                   .arg(header.size.height()));
  // What is left of the budget once the file and the output are counted is libjpeg's; the
  // estimate above should never let it get there.
  const qint64 output =
      Scaled(header.size.width(), denom) * Scaled(header.size.height(), denom) * 4;
  const long libjpegMemory = long(PictureLimits::DecodeBudget - header.fileBytes - output);
  if (!Prepare(&d, denom, libjpegMemory)) FailJpeg(path, d.err);
  QImage image = PixelMemory::NewRgb32(int(d.cinfo.output_width), int(d.cinfo.output_height));
  if (!ReadRows(&d, image.bits(), image.bytesPerLine())) FailJpeg(path, d.err);
  return image;
}

}  // namespace

int Header::ScaleFor(int minWidth, int minHeight) const {
  for (int candidate : {8, 4, 2}) {
    if (Scaled(size.width(), candidate) >= std::max(minWidth, 0) &&
        Scaled(size.height(), candidate) >= std::max(minHeight, 0))
      return candidate;
  }
  return 1;
}

qint64 Header::PeakBytes(int scaleDenom) const {
  const qint64 denom = ValidDenom(scaleDenom);
  return fileBytes + Scaled(size.width(), denom) * Scaled(size.height(), denom) * 4 +
         coefficientBytes + workBytes;
}

QImage Decode(const QString& path, int scaleDenom) {
  return DecodeFile(path, scaleDenom, -1, -1);
}

QImage DecodeAtLeast(const QString& path, int minWidth, int minHeight) {
  return DecodeFile(path, 1, std::max(minWidth, 0), std::max(minHeight, 0));
}

Header ReadHeader(const QString& path) {
  // Only the header is needed, so read through a stream instead of loading the file.
  RegularFile regular(path);
  const qint64 fileSize = regular.Size();
  const Stream file = OpenStream(path, regular);
  Decoder d;
  if (!StartHeader(&d, nullptr, 0, file.get())) FailJpeg(path, d.err);
  return Inspect(path, d.cinfo, fileSize);
}

QSize ReadSize(const QString& path) {
  return ReadHeader(path).size;
}

QByteArray Encode(const QImage& source, int quality) {
  if (source.isNull() || source.width() <= 0 || source.height() <= 0)
    throw PictureError("Cannot encode an empty picture as JPEG");
  const bool grey = source.format() == QImage::Format_Grayscale8;
  // Format_RGB32 and Format_ARGB32 share the B,G,R,X byte order; anything else is converted.
  const QImage image =
      grey || source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
          ? source
          : source.convertToFormat(QImage::Format_RGB32);
  Encoder e;
  if (!Compress(&e, image.constBits(), image.bytesPerLine(), unsigned(image.width()),
                unsigned(image.height()), grey, std::clamp(quality, 1, 100)))
    throw PictureError(QStringLiteral("Cannot encode the picture as JPEG: %1")
                           .arg(QString::fromLocal8Bit(e.err.message))
                           .toStdString());
  return QByteArray(reinterpret_cast<const char*>(e.out), qsizetype(e.outSize));
}

void EncodeToFile(const QImage& image, const QString& path, int quality) {
  if (image.isNull())
    throw PictureError(
        QStringLiteral("Cannot write \"%1\": the picture is empty").arg(path).toStdString());
  FileSaver::Write(path, Encode(image, quality));
}

}  // namespace JpegCodec
