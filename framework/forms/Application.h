#pragma once

#include <memory>
#include <new>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Events.h"

class Exception;
class TForm;

/// The application object: owns the program's forms, runs the message
/// loop, keeps the title and the current hint, and shows the errors that
/// escape event handlers. The one instance is the global `Application`.
class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  /// Attaches to the running QApplication, or creates one; makes every
  /// exception that escapes an event handler show through ShowException and
  /// routes the controls' hints to Hint. Calling it again changes nothing.
  void Initialize();

  /// Creates a form owned by the application and stores it in `ref` before
  /// its constructor runs, so code called from the constructor finds it
  /// there. The first form created this way becomes the main form once its
  /// constructor has finished. When the constructor raises, `ref` is null
  /// again and the error goes on to the caller.
  template <class T>
  void CreateForm(T*& ref) {
    void* memory = ::operator new(sizeof(T));
    ref = static_cast<T*>(memory);
    try {
      ::new (memory) T(this);
    } catch (...) {
      ref = nullptr;
      ::operator delete(memory, sizeof(T));
      throw;
    }
    FormCreated(ref);
  }

  /// Shows the main form and runs the message loop until the main form has
  /// closed or Terminate is called; returns at once after a Terminate made
  /// before it. Terminated reads false again once it returns.
  void Run();
  /// Ends the message loop (and every modal loop) once the running handler
  /// returns.
  void Terminate();
  bool Terminated() const { return terminated_; }
  /// Lets the window messages that are waiting run, then returns.
  void ProcessMessages();

  TForm* MainForm() const { return mainForm_; }

  /// The caption of the plain message box and of error boxes; the program
  /// file's name until set.
  std::string Title() const;
  void SetTitle(const std::string& title);

  /// The hint of what the pointer rests on ("" when none); OnHint fires on
  /// every change. A hint "short|long" counts with its long part.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  TNotifyEvent OnHint;

  /// Shows an error's text in a message box with the title as caption, an
  /// OK button and the stop icon.
  void ShowException(const Exception& error);
  /// A message box with a caption and flags (MB_OK, MB_YESNO, MB_ICON...);
  /// the button chosen (IDOK, IDYES, IDNO ...).
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags = 0);

  /// Called by TForm (framework use only).
  void FormDestroyed(TForm* form);
  void MainFormClosed();

 private:
  void FormCreated(TForm* form);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::string title_;
  bool titleSet_ = false;
  std::string hint_;
};

/// The application object. It lives until the process ends, like the forms
/// it owns.
extern TApplication* Application;
