#pragma once

#include <cstdint>
#include <string>

/// One learned file type, as the file-type table holds it and hands it out
/// by value.
struct TExtSearch {
  bool Exists = false;          ///< a line of the table file was loaded for this extension
  bool IconLoaded = false;      ///< the type's icon has been put into the image lists
  std::string Description;      ///< the type's description
  std::string IconFile;         ///< file that holds the type's icon
  std::int16_t IconIndex = 0;   ///< position of the icon in IconFile
  std::int32_t ImageIndex = 0;  ///< position of the icon in both image lists; -1 when adding it failed
  std::int16_t ViewType = 0;    ///< how a file of this type is opened
};
