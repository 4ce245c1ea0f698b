#pragma once

// Builds the main window in a program folder of the test's own: drive C: is
// a fresh temporary folder, the program folder is C:\Pellix4 with the
// resource libraries copied from the build's program folder, and a file-type
// table file, so no learner runs unless a test removes it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/MainForm.h"
#include "app/RegForm.h"
#include "framework/forms/Application.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "tests/support/TempDrive.h"

namespace app_test {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::WriteFile;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive_ = testing_support::FreshFolder(std::string("app/") +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    programFolder_ = drive_ / "Pellix4";
    const fs::path built = PELLIX_PROGRAM_DIR;
    fs::create_directories(programFolder_ / "Windows" / "System32");
    fs::copy_file(built / "PX4Images.dll", programFolder_ / "PX4Images.dll");
    fs::copy_file(built / "Windows" / "System32" / "SHELL32.DLL",
                  programFolder_ / "Windows" / "System32" / "SHELL32.DLL");
    WriteFile(RegInfoFile(), "PX41\r\n");
    platform::SetDriveMap({{'C', drive_.string(), 3}});
    platform::SetProgramHostFolder(programFolder_.string());
  }

  void TearDown() override {
    CloseWindow();
    platform::SetProgramHostFolder("");
    platform::UseDefaultDriveMap();
  }

  /// Builds the main window as the entry does, the tail handed over as the
  /// application's title.
  void OpenWindow(const std::string& tail = "") {
    Application->SetTitle(tail);
    Application->CreateForm(MainForm);
  }

  /// Frees the window without closing it (no settings are written), with
  /// the learner it made on a first run.
  void CloseWindow() {
    delete MainForm;
    MainForm = nullptr;
    LearnForm = nullptr;
  }

  fs::path SettingsFile() const { return programFolder_ / "Settings.ini"; }
  fs::path RegInfoFile() const { return programFolder_ / "RegInfo.ini"; }
  static std::string ProgramDir() { return "C:\\Pellix4\\"; }

  fs::path drive_;
  fs::path programFolder_;
};

}  // namespace app_test
