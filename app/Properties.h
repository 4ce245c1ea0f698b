#pragma once

#include <cstdint>

#include "Form.h"

/// The properties dialog: shows and changes the properties of one file, one
/// drive or one folder. The main window sets `PageKind` and shows it
/// modeless.
class TPropForm : public TForm {
 public:
  explicit TPropForm(TComponent* owner);
  ~TPropForm() override;

  /// What is shown: 0 the file selected in the list, 1 the drive selected in
  /// the tree, 2 the folder last opened in the tree.
  std::int8_t PageKind = 0;
};

/// The dialog, created at start-up after the main window.
extern TPropForm* PropForm;
