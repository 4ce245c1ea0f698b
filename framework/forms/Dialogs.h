#pragma once

#include <functional>
#include <string>

// Message boxes. Every box the program shows goes through one replaceable
// handler, so tests can script the answers and record what was shown.

/// Buttons (one of) and icon (one of) of a message box, combined with |.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
/// The default button (one of), the one Enter chooses; the first unless told.
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_TYPEMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFMASK = 0xF00;

/// The button that closed a message box.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

/// One message box to show.
struct TMessageBoxRequest {
  std::string Text;
  std::string Caption;
  unsigned Flags = MB_OK;
};

/// Shows a box and returns the button chosen (IDOK, IDCANCEL, IDYES, IDNO).
using TMessageBoxHandler = std::function<int(const TMessageBoxRequest&)>;

/// Replaces the handler that shows every message box; returns the previous
/// one. An empty handler brings back the default, a modal Qt message box.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

/// Shows a message box through the handler; the button chosen.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

/// The plain message box: the text, an OK button and the application's title
/// as caption.
void ShowMessage(const std::string& text);
