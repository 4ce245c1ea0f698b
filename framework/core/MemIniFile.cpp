#include "framework/core/MemIniFile.h"

#include "framework/core/Exception.h"
#include "platform/files/FileIO.h"
#include "platform/files/FileReplacement.h"

TMemIniFile::TMemIniFile(std::string fileName)
    : TIniFile(std::move(fileName)), text_(platform::ReadWholeFile(FileName())) {}

void TMemIniFile::Store(const std::string& contents) {
  text_ = contents;
  modified_ = true;
}

void TMemIniFile::UpdateFile() {
  if (!modified_) return;
  if (!platform::ReplaceFileContents(FileName(), text_.value_or(std::string()))) {
    throw Exception("Unable to write to " + FileName());
  }
  modified_ = false;
}
