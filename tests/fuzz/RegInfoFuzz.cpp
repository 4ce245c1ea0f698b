// The file-type table file as the table reads it: every loaded entry is
// found again at its own indices.

#include <cstdint>
#include <memory>
#include <string>

#include "components/Extension.h"
#include "framework/core/Exception.h"
#include "framework/graphics/ImageList.h"
#include "tests/components/ComponentTestSupport.h"
#include "tests/fuzz/FuzzSupport.h"

using fuzz_support::Check;
using fuzz_support::Shown;

namespace {
component_test::TestDrive* g_drive = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(true);
  g_drive = &fuzz_support::LastingDrive("reginfo");
  return 0;
}

// The whole input is the file after its marker line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 16384) return 0;
  component_test::WriteFile(g_drive->Host("RegInfo.ini"), "PX41\r\n" + fuzz_support::Text(data, size));
  TExtension table(nullptr);
  table.FileName = "C:\\RegInfo.ini";
  try {
    table.Init();
  } catch (const Exception&) {
    // An icon index that is no number ends the load.
  }
  for (int i = 0; i < TExtension::kFirst; ++i)
    for (int j = 0; j < TExtension::kOther; ++j)
      for (int k = 0; k < TExtension::kOther; ++k) {
        if (!table.ExtTable[i][j][k].Exists) continue;
        const std::string ext = {'.', static_cast<char>('0' + i), static_cast<char>(' ' + j),
                                 static_cast<char>(' ' + k)};
        int x = -1, y = -1, z = -1;
        Check(table.CheckExists(ext, x, y, z), "entry " + Shown(ext) + " is not found");
        Check(x == i && y == j && z == k, "entry " + Shown(ext) + " is found elsewhere");
        const TExtSearch entry = table.GetExtSearch(i, j, k);
        Check(entry.Exists, "entry " + Shown(ext) + " lost");
        Check(entry.ImageIndex < table.SmallIcons->Count(), "entry " + Shown(ext) + " has an image past the list");
      }
  return 0;
}
