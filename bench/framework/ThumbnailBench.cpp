// Thumbnails: decoding a 1600 x 1200 JPEG picture whole against the
// smallest scaled decode that still covers a 32 x 32 icon rectangle.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/support/BenchSupport.h"
#include "framework/graphics/JpegImage.h"
#include "platform/drives/DriveMap.h"
#include "tests/support/JpegWriter.h"

namespace {

// The picture's folder, removed when the run ends.
struct Folder {
  std::string path = bench::MakeTempFolder(bench::TmpDir(), "pellix-thumbnails");
  ~Folder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
};

const std::string& Picture() {
  static const Folder scratch;
  static const std::string path = [] {
    const std::string& folder = scratch.path;
    const std::string bytes = testing_support::JpegBytes(1600, 1200, [](int x, int y) {
      return testing_support::Rgb{static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                                  static_cast<unsigned char>(x ^ y)};
    });
    std::ofstream(std::filesystem::path(folder) / "p.jpg", std::ios::binary) << bytes;
    platform::SetDriveMap({{'T', folder, 3}});
    return std::string("T:\\p.jpg");
  }();
  return path;
}

void Decode(benchmark::State& state, bool scaled) {
  const std::string& path = Picture();
  for (auto _ : state) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(path);
    if (scaled) jpeg.SetScaleToCover(32, 32);
    jpeg.DIBNeeded();
    benchmark::DoNotOptimize(jpeg.Width());
  }
}

void BM_WholePicture(benchmark::State& state) { Decode(state, false); }
void BM_ScaledToCover32(benchmark::State& state) { Decode(state, true); }

BENCHMARK(BM_WholePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledToCover32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
