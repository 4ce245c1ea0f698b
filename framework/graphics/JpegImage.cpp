#include "framework/graphics/JpegImage.h"

#include <jpeglib.h>
#include <stdio.h>  // jpeglib.h needs FILE and size_t declared first

#include <QImage>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "framework/core/Exception.h"
#include "platform/files/FileIO.h"

namespace {

// Pictures larger than this are refused rather than decoded into gigabytes.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 27;

int Denominator(TJPEGScale scale) {
  switch (scale) {
    case jsHalf: return 2;
    case jsQuarter: return 4;
    case jsEighth: return 8;
    default: return 1;
  }
}

// The decoder's size at a scale: it rounds up.
int Scaled(int size, int denominator) { return (size + denominator - 1) / denominator; }

// libjpeg reports errors through a callback that must not return; it jumps
// back to the decoding function, which holds no objects with destructors.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings of damaged data are not printed: the program has no console.
void OnOutput(j_common_ptr) {}

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // rows of R, G, B bytes
};

struct Header {
  int width = 0;
  int height = 0;
};

// Reads the header, and with `pixels` the picture at 1/denominator; false
// with the decoder's message on any error. Every object that lives across the
// jump is the caller's.
bool Run(const std::string& data, int denominator, Header* header, Decoded* pixels, ErrorManager* errors,
         jpeg_decompress_struct* info, std::vector<unsigned char>* row) {
  info->err = jpeg_std_error(&errors->pub);
  errors->pub.error_exit = OnError;
  errors->pub.output_message = OnOutput;
  errors->message[0] = '\0';
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(info);
    return false;
  }
  jpeg_create_decompress(info);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  jpeg_read_header(info, TRUE);
  header->width = static_cast<int>(info->image_width);
  header->height = static_cast<int>(info->image_height);
  if (pixels == nullptr) {
    jpeg_destroy_decompress(info);
    return true;
  }
  // Four-channel pictures (Adobe's CMYK and YCCK) come out as CMYK, which the
  // decoder cannot turn into RGB itself.
  const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
  info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  info->scale_num = 1;
  info->scale_denom = static_cast<unsigned>(denominator);
  jpeg_calc_output_dimensions(info);
  const std::uint64_t count = std::uint64_t{info->output_width} * info->output_height;
  if (count == 0 || count > kMaxPixels) {
    std::strcpy(errors->message, "JPEG image is too large");
    jpeg_destroy_decompress(info);
    return false;
  }
  jpeg_start_decompress(info);
  const int width = static_cast<int>(info->output_width);
  const int height = static_cast<int>(info->output_height);
  const int channels = info->output_components;
  pixels->width = width;
  pixels->height = height;
  pixels->rgb.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
  row->assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(channels), 0);
  while (info->output_scanline < info->output_height) {
    const int y = static_cast<int>(info->output_scanline);
    JSAMPROW rows[1] = {row->data()};
    jpeg_read_scanlines(info, rows, 1);
    unsigned char* out = pixels->rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    for (int x = 0; x < width; ++x) {
      const unsigned char* in = row->data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(channels);
      if (channels == 4) {
        // Adobe writes CMYK inverted: each byte is already 255 minus the ink.
        const unsigned k = in[3];
        out[3 * x] = static_cast<unsigned char>(in[0] * k / 255);
        out[3 * x + 1] = static_cast<unsigned char>(in[1] * k / 255);
        out[3 * x + 2] = static_cast<unsigned char>(in[2] * k / 255);
      } else {
        out[3 * x] = in[0];
        out[3 * x + 1] = in[channels > 1 ? 1 : 0];
        out[3 * x + 2] = in[channels > 2 ? 2 : 0];
      }
    }
  }
  jpeg_finish_decompress(info);
  jpeg_destroy_decompress(info);
  return true;
}

bool Decode(const std::string& data, int denominator, Header* header, Decoded* pixels, std::string* error) {
  ErrorManager errors{};
  jpeg_decompress_struct info{};
  std::vector<unsigned char> row;
  if (Run(data, denominator, header, pixels, &errors, &info, &row)) return true;
  *error = errors.message;
  return false;
}

}  // namespace

struct TJPEGImage::Impl {
  std::string data;
  Header header;
  // The pixels at the current scale, once decoded; a failed decoding is kept
  // too, so a damaged picture is tried once.
  std::optional<QImage> image;
  std::string error;
};

TJPEGImage::TJPEGImage() : impl_(std::make_unique<Impl>()) {}
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return Scaled(impl_->header.width, Denominator(scale_)); }
int TJPEGImage::Height() const { return Scaled(impl_->header.height, Denominator(scale_)); }
bool TJPEGImage::Empty() const { return impl_->header.width == 0 || impl_->header.height == 0; }

void TJPEGImage::LoadFromFile(const std::string& fileName) {
  auto bytes = platform::ReadWholeFile(fileName);
  if (!bytes) throw Exception("Cannot open file \"" + fileName + "\"");
  Header header;
  std::string error;
  if (!Decode(*bytes, 1, &header, nullptr, &error)) throw Exception("JPEG error: " + error);
  impl_->data = std::move(*bytes);
  impl_->header = header;
  impl_->image.reset();
  impl_->error.clear();
}

void TJPEGImage::SetScale(TJPEGScale scale) {
  if (scale == scale_) return;
  scale_ = scale;
  impl_->image.reset();
  impl_->error.clear();
}

void TJPEGImage::SetScaleToCover(int width, int height) {
  TJPEGScale best = jsFullSize;
  for (TJPEGScale scale : {jsHalf, jsQuarter, jsEighth}) {
    const int denominator = Denominator(scale);
    if (Scaled(impl_->header.width, denominator) < width || Scaled(impl_->header.height, denominator) < height) break;
    best = scale;
  }
  SetScale(best);
}

void TJPEGImage::DIBNeeded() {
  if (Empty()) return;
  if (!impl_->image) {
    Header header;
    Decoded pixels;
    std::string error;
    if (Decode(impl_->data, Denominator(scale_), &header, &pixels, &error)) {
      QImage image(pixels.width, pixels.height, QImage::Format_RGB888);
      for (int y = 0; y < pixels.height; ++y) {
        std::memcpy(image.scanLine(y), pixels.rgb.data() + static_cast<std::size_t>(y) * pixels.width * 3,
                    static_cast<std::size_t>(pixels.width) * 3);
      }
      impl_->image = std::move(image);
    } else {
      impl_->image = QImage();
      impl_->error = error;
    }
  }
  if (impl_->image->isNull()) throw Exception("JPEG error: " + impl_->error);
}

QImage TJPEGImage::Image() const {
  if (Empty()) return {};
  try {
    const_cast<TJPEGImage*>(this)->DIBNeeded();
  } catch (const Exception&) {
    return {};
  }
  return *impl_->image;
}
