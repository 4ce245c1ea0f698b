#include "tests/support/JpegWriter.h"

#include <jpeglib.h>
#include <stdio.h>  // jpeglib.h needs FILE and size_t declared first

#include <cstdlib>
#include <vector>

namespace testing_support {

std::string JpegBytes(int width, int height, const std::function<Rgb(int x, int y)>& pixel, bool gray) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * (gray ? 1 : 3));
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x) {
      const Rgb p = pixel(x, y);
      if (gray) {
        row[static_cast<std::size_t>(x)] = p.g;
      } else {
        row[3 * static_cast<std::size_t>(x)] = p.r;
        row[3 * static_cast<std::size_t>(x) + 1] = p.g;
        row[3 * static_cast<std::size_t>(x) + 2] = p.b;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

}  // namespace testing_support
