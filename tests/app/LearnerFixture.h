#pragma once

// A small MIME database and a program folder of the learner tests' own: the
// drive C: is the private home, the program folder is "learner-program" in
// its drives folder (the program file's folder, where the learner writes
// "RegInfo.ini" while no main window exists), and LearnForm a fresh dialog.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/RegForm.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/registry/SystemRegistry.h"
#include "tests/support/PrivateHome.h"
#include "tests/support/TempDrive.h"
#include "tests/support/TestMimeDatabase.h"

namespace learner_test {

inline std::string TypeXml(const std::string& type, const std::string& comment) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<mime-type xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\" type=\"" +
         type + "\">\n  <comment>" + comment + "</comment>\n</mime-type>\n";
}

/// The ten lines every learned file ends with.
inline const std::vector<std::string>& BuiltInLines() {
  static const std::vector<std::string> lines = {
      ".BMP; Windows Bitmap; -; 0; 4;",
      ".CDA; CD Audio Track; C:\\WINDOWS\\cdplayer.exe; 1; 7;",
      ".EMF; Enhanced Meta File; -; 0; 4;",
      ".GIF; Compuserve Graphics Interchange; -; 0; 4;",
      ".INF; Setup Information; shell32.dll; 66; 3;",
      ".INI; Configuration Settings; shell32.dll; 66; 3;",
      ".JPG; JPEG Image; -; 0; 4;",
      ".JPE; JPEG Image; -; 0; 4;",
      ".TXT; Text Document; shell32.dll; 67; 4;",
      ".WMF; Windows Meta File; -; 0; 4;",
  };
  return lines;
}

class LearnerTest : public ::testing::Test {
 protected:
  LearnerTest() : db_("learner-db") {}

  void SetUp() override {
    previousProgramFolder_ = platform::ProgramHostFolder();
    programFolder_ = testing_support::FreshFolder("learner-program").string();
    platform::SetProgramHostFolder(programFolder_);
    platform::SetDriveMap({{'C', testing_support::PrivateHome(), 3}});

    db_.Write("system/mime/globs2",
              "# globs\n"
              "50:text/x-alpha:*.abc\n"
              "50:application/x-bare:*.bar\n"  // a type the database does not describe
              "50:text/x-semi:*.sem\n"
              "50:text/x-c:*.c\n"  // one letter: probed as ".C  ", never found
              "50:text/plain:*.txt\n"
              "50:image/bmp:*.bmp\n"
              "50:image/wmf:*.wmf\n");
    db_.Write("system/mime/text/x-alpha.xml", TypeXml("text/x-alpha", "Alpha document"));
    db_.Write("system/mime/text/x-semi.xml", TypeXml("text/x-semi", "semi; colon # hash"));
    db_.Write("system/mime/text/x-c.xml", TypeXml("text/x-c", "C source code"));
    db_.Write("system/mime/text/plain.xml", TypeXml("text/plain", "plain text document"));
    db_.Write("system/mime/image/bmp.xml", TypeXml("image/bmp", "Windows BMP image"));
    db_.Write("system/mime/image/wmf.xml", TypeXml("image/wmf", "Windows metafile"));
    db_.Write("system/icons/hicolor/index.theme",
              "[Icon Theme]\nName=Hicolor\nDirectories=32x32/mimetypes\n[32x32/mimetypes]\nSize=32\n");
    db_.WritePng("system/icons/hicolor/32x32/mimetypes/text-x-alpha.png");
    db_.Use();

    LearnForm = new TLearnForm(nullptr);
  }

  void TearDown() override {
    delete LearnForm;
    LearnForm = nullptr;
    platform::UseDefaultDriveMap();
    platform::SetProgramHostFolder(previousProgramFolder_);
  }

  /// The host path of the learned file.
  std::string FilePath() const { return programFolder_ + "/RegInfo.ini"; }
  void WriteFile(const std::string& content) const { testing_support::WriteFile(FilePath(), content); }
  std::string ReadFile() const { return testing_support::ReadFile(FilePath()); }
  /// The file's lines without their CR LF; a line without CR counts as broken.
  std::vector<std::string> FileLines() const {
    std::vector<std::string> lines;
    const std::string content = ReadFile();
    std::string::size_type start = 0;
    while (start < content.size()) {
      const std::string::size_type end = content.find("\r\n", start);
      EXPECT_NE(end, std::string::npos) << "a line without CR LF";
      if (end == std::string::npos) break;
      lines.push_back(content.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }
  /// The names in the program folder, sorted.
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(programFolder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  /// The drive path of the alpha type's icon, as its DefaultIcon names it.
  std::string AlphaIcon() const {
    return *platform::DrivePath(db_.Root() + "/system/icons/hicolor/32x32/mimetypes/text-x-alpha.png");
  }

  testing_support::TestMimeDatabase db_;
  std::string programFolder_;
  std::string previousProgramFolder_;
};

}  // namespace learner_test
