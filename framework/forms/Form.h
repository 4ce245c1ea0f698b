#pragma once

#include <functional>
#include <string>

#include "framework/forms/Control.h"

/// Where a form appears when it is shown.
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter };
/// The frame of a form: one the user can resize, or a dialog's fixed frame.
enum TFormBorderStyle { bsSizeable = 2, bsDialog = 3 };
enum TWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };
/// What closing a form does: nothing, hide it, free it, minimise it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
/// The buttons of a form's caption bar, as bits: the close box (with the
/// window menu), the minimise box and the maximise box.
enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = int;

/// The result of a modal form; a button's ModalResult sets it.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

/// A top-level window that holds controls.
///
/// Left, Top, Width and Height are the outer window's, as the program's
/// layouts count them: the client area is 8 pixels narrower and 27 pixels
/// lower (a 4-pixel frame and a 19-pixel caption), whatever frame the
/// desktop draws. A form starts hidden. Closing the application's main form
/// ends the message loop; closing any other form hides it (OnClose may
/// choose otherwise).
class TForm : public TWinControl {
 public:
  static constexpr int kFrameWidth = 8;
  static constexpr int kFrameHeight = 27;

  explicit TForm(TComponent* owner);
  ~TForm() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  /// A dialog frame keeps the form at the size the program gives it (the
  /// user cannot resize it) and has no minimise or maximise button. Set it
  /// while the form is hidden.
  void SetBorderStyle(TFormBorderStyle style);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);

  /// Shows the form (placing it by Position when it was hidden) and makes it
  /// the active form, which runs OnActivate.
  void Show();
  void Hide();
  void SetVisible(bool visible) override;
  /// Shows the form modally and runs a nested message loop until
  /// ModalResult is set (a button's ModalResult, Close, the window's close
  /// box) and OnClose allows it; hides the form and returns ModalResult.
  /// Raises Exception for a form that is visible already.
  TModalResult ShowModal();
  /// Closes the form: a modal form ends with mrCancel; any other runs OnClose
  /// with caHide and then does what the action says, the main form ending
  /// the message loop. An error out of OnClose is shown and the close goes on.
  void Close();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  /// Whether this is the form most recently activated.
  bool Active() const;

  /// When set, the form's OnKeyDown runs first for keys meant for its
  /// controls; a handler that sets the key to 0 keeps it from them.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool preview) { keyPreview_ = preview; }

  QWidget* ClientWidget() const override { return Widget(); }

  /// Runs each time the form is shown or becomes the active form of the
  /// program again (not on return from a message box).
  TNotifyEvent OnActivate;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;

  /// Ends every running modal loop (the application's Terminate).
  static void EndModalLoops();

 private:
  friend class FormEvents;
  void ShowWindow();
  void Activate();
  void PlaceByPosition();
  void ResizeClient(int width, int height);
  /// Sets the window frame from the border style and icons.
  void ApplyFrame();
  void CloseRequested();
  bool DialogKey(unsigned short key);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string caption_;
  TPosition position_ = poDesigned;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool keyPreview_ = false;
};

/// The form a control sits on (the control itself when it is a form), or
/// null when it is not placed on one.
TForm* GetParentForm(TControl* control);
