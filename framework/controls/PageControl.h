#pragma once

#include "framework/forms/Control.h"

class TTabSheet;

/// A set of pages with a row of tabs; its pages are the TTabSheet controls
/// placed on it, in the order they were placed. A page whose tab is hidden
/// is not shown at all.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);

  /// The pages placed on the control, hidden tabs included.
  int PageCount() const;
  TTabSheet* Pages(int index) const;
  /// The page shown, or none when no tab is visible.
  TTabSheet* ActivePage() const;
  /// Shows a page; a page of another control, or one whose tab is hidden,
  /// is not made active.
  void SetActivePage(TTabSheet* page);

  /// Runs when the user picks another tab.
  TNotifyEvent OnChange;

 protected:
  void ChildrenChanged() override;

 private:
  friend class TTabSheet;
  /// Puts the tabs in line with the pages: the visible ones in page order,
  /// with their captions; the active page stays active while it is visible.
  void SyncTabs();
  bool syncing_ = false;
};
