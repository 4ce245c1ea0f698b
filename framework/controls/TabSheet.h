#pragma once

#include <string>

#include "framework/forms/Control.h"

class TPageControl;

/// One page of a TPageControl: holds the controls shown while its tab is
/// the active one.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TPageControl* PageControl() const;
  /// Places the page on a page control, after its other pages.
  void SetPageControl(TPageControl* control);
  /// Whether the page's tab is shown; a page without its tab is hidden.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  /// The page's position among its control's pages, or -1.
  int PageIndex() const;

 private:
  std::string caption_;
  bool tabVisible_ = true;
};
