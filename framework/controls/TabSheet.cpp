#include "framework/controls/TabSheet.h"

#include <QWidget>

#include "framework/controls/PageControl.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetWidget(new QWidget()); }

void TTabSheet::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (TPageControl* control = PageControl()) control->SyncTabs();
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* control) { SetParent(control); }

void TTabSheet::SetTabVisible(bool visible) {
  if (tabVisible_ == visible) return;
  tabVisible_ = visible;
  if (TPageControl* control = PageControl()) control->SyncTabs();
}

int TTabSheet::PageIndex() const {
  const TPageControl* control = PageControl();
  if (control == nullptr) return -1;
  for (int i = 0; i < control->PageCount(); ++i)
    if (control->Pages(i) == this) return i;
  return -1;
}
