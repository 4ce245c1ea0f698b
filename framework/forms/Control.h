#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

class QWidget;
class TWinControl;
class TPopupMenu;

/// A visible control: geometry, visibility, font, colour, hint, pop-up menu
/// and the input events every control has. Each control shows one Qt widget
/// that it creates and hands to SetWidget.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  /// The Qt widget this control shows (framework use only).
  QWidget* Widget() const;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  virtual void SetLeft(int left);
  virtual void SetTop(int top);
  virtual void SetWidth(int width);
  virtual void SetHeight(int height);
  virtual void SetBounds(int left, int top, int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const;
  void SetEnabled(bool enabled);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);

  /// The control's font; changing it redraws the control. A control whose
  /// font was never set takes its parent's.
  TFont* Font() { return &font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  void Invalidate();
  void Repaint();
  void SetFocus();
  bool Focused() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

  /// Told the hint of the control the pointer enters ("" when it leaves);
  /// the application object sets it.
  static std::function<void(const std::string&)> HintHandler;
  /// Runs before a control's own key events: the form classes set it so a
  /// form that previews keys sees them first. Returns true when it consumed
  /// the key.
  static std::function<bool(TControl* target, unsigned short& key, TShiftState shift)> KeyPreviewHandler;
  /// Pops a menu up at a point on the screen; the menu classes set it.
  static std::function<void(TPopupMenu*, int screenX, int screenY)> PopupHandler;

  /// Runs the events of a key press as a user's key would: OnKeyDown, then,
  /// for a key with a character that was not consumed, OnKeyPress.
  /// Returns true when a handler consumed the key.
  bool SimulateKeyDown(unsigned short key, TShiftState shift, char character = 0);

  /// Receives the control's messages (a TMessage, Messages.h): the pointer
  /// entering (CM_MOUSEENTER) and leaving (CM_MOUSELEAVE) the control. The
  /// control itself does nothing with them; a control that reacts to one
  /// overrides Dispatch and passes the others on.
  virtual void Dispatch(void* Message);

 protected:
  /// Takes ownership of the control's widget and watches its input.
  void SetWidget(QWidget* widget);
  /// Also routes another widget's input (a view's viewport) to the events.
  void WatchInput(QWidget* widget);
  /// Whether the keys that reach the watched widgets now belong to an editor
  /// open inside the control (a name editor): such keys end there and run no
  /// key events.
  virtual bool EditorOwnsKeys() const { return false; }
  /// Called when a watched widget is resized, before OnResize.
  virtual void Resized() {}
  /// Whether the control's colour is that of a text area it draws on (edits,
  /// combo boxes, lists, trees, memos) rather than that of its face.
  virtual bool HasTextArea() const;
  /// Called for a context-menu request at a point of the watched widget:
  /// shows the pop-up menu. Returns whether a menu was shown.
  virtual bool ContextMenu(int x, int y);

 private:
  friend class ControlInput;
  friend class TWinControl;
  void ApplyFont();
  /// The form's preview, then OnKeyDown; true when one of them consumed the key.
  bool RunKeyDown(unsigned short& key, TShiftState shift);
  /// OnKeyPress for one character; the character it leaves (0: consumed).
  char RunKeyPress(char character);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  std::string hint_;
  bool showHint_ = false;
  TFont font_;
  bool fontSet_ = false;
  TColor color_ = clBtnFace;
  TPopupMenu* popupMenu_ = nullptr;
};

/// A control that holds other controls.
class TWinControl : public TControl {
 public:
  using TControl::TControl;
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }

  /// The widget children are placed in (framework use only).
  virtual QWidget* ClientWidget() const { return Widget(); }

 protected:
  /// Told after a child control was placed in this control or taken out of
  /// it, or had its bounds or visibility set, so that containers that
  /// arrange their children (tool bars, bar containers) follow at once,
  /// whether or not the window is on the screen yet.
  virtual void ChildrenChanged() {}

 private:
  friend class TControl;
  std::vector<TControl*> controls_;
};
