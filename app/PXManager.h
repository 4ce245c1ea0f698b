#pragma once

#include <string>

#include "framework/graphics/Color.h"

class TFont;

/// The settings manager: the one object that knows "Settings.ini" in the
/// program folder. It fills the main window's viewer-program table, reads the
/// display font, the colours, the window sizes, the file list's column widths
/// and the bars' places, hands font and colours to the windows, and rewrites
/// section "VIEW" when the main window closes.
///
/// Sections of the file:
/// - "ENV" (read only): "FName", "FChar", "FPitch", "FSize", "FCol",
///   "FStyle1".."FStyle4" (bold, italic, underline, strike-out), "BackCl",
///   "FileCl", "DirCl".
/// - "VIEW" (read at start-up, erased and written on close): "COL1".."COL5",
///   the three windows' width, height and state ("MainWS", "PropWS",
///   "SearchWS", written only), and each bar's left, top and visibility
///   ("LBar", "MBar", "SBar" + "X", "Y", "Vis").
/// - "PX41" (read only): the viewer programs "BIN", "CD", "REG", "IMG", "TXT",
///   where the first "($PX4)" stands for the program folder.
class TPXManager {
 public:
  /// Makes `Font` a font with the framework's default attributes; the other
  /// fields are set by LoadSettings.
  TPXManager();
  /// Frees `Font`.
  ~TPXManager();
  TPXManager(const TPXManager&) = delete;
  TPXManager& operator=(const TPXManager&) = delete;

  /// Reads section "PX41" of the file into slots 1 to 5 of the main window's
  /// `Programs`, the first "($PX4)" of each value replaced by its `ProgramDir`.
  void LoadPrograms(const std::string& fileName);
  /// Reads "ENV" and "VIEW": builds `Font`, sets the colours and sizes, sets
  /// the file list's five column widths and the three bars' places and
  /// visibility, then applies the look to the main window.
  void LoadSettings(const std::string& fileName);
  /// Erases section "VIEW" and writes its 23 keys again from the live windows,
  /// all in one replacement of the file. A write the system refuses raises
  /// Exception "Unable to write to <file>", and the file is unchanged.
  void SaveSettings(const std::string& fileName);
  /// Gives one window `Font` and its colours: 1 the main window (with its
  /// folder tree and file list), 2 the properties dialog, 3 the search
  /// dialog; any other number does nothing.
  void ApplyLook(short window);

  /// The display font built from section "ENV"; owned.
  TFont* Font;
  /// Background of the main window and the dialogs.
  TColor BackCl = clBtnFace;
  /// Background of the file list.
  TColor FileCl = clWindow;
  /// Background of the folder tree.
  TColor DirCl = clWindow;
  /// The window sizes as read at start-up; nothing updates them later.
  int MainWidth = 0;
  int MainHeight = 0;
  int PropWidth = 0;
  int PropHeight = 0;
  int SearchHeight = 0;
  int SearchWidth = 0;
};

/// The one settings manager; made by the first window that needs it and
/// never freed.
extern TPXManager* PXManager;
