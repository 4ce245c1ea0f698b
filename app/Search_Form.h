#pragma once

#include "Form.h"

/// The search dialog: finds the files below a folder whose names match a
/// mask and whose sizes lie within optional bounds. Shown modeless by the
/// main window; closing it only hides it.
class TSearchForm : public TForm {
 public:
  explicit TSearchForm(TComponent* owner);
  ~TSearchForm() override;
};

/// The dialog, created at start-up after the about box.
extern TSearchForm* SearchForm;
