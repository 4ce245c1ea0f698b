#include "framework/controls/PageControl.h"

#include <QTabWidget>

#include "framework/controls/TabSheet.h"
#include "framework/core/Dispatch.h"
#include "framework/graphics/QtConvert.h"

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  auto* tabs = new QTabWidget();
  SetWidget(tabs);
  SetBounds(0, 0, 289, 193);
  QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this](int) {
    if (!syncing_ && OnChange) DispatchEvent([this] { OnChange(this); });
  });
}

int TPageControl::PageCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TTabSheet*>(Controls(i)) != nullptr) ++count;
  return count;
}

TTabSheet* TPageControl::Pages(int index) const {
  for (int i = 0; i < ControlCount(); ++i) {
    auto* page = dynamic_cast<TTabSheet*>(Controls(i));
    if (page != nullptr && index-- == 0) return page;
  }
  return nullptr;
}

TTabSheet* TPageControl::ActivePage() const {
  QWidget* current = static_cast<QTabWidget*>(Widget())->currentWidget();
  for (int i = 0; i < PageCount(); ++i)
    if (Pages(i)->Widget() == current) return Pages(i);
  return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == nullptr || page->PageControl() != this || !page->TabVisible()) return;
  syncing_ = true;
  static_cast<QTabWidget*>(Widget())->setCurrentWidget(page->Widget());
  syncing_ = false;
}

void TPageControl::ChildrenChanged() { SyncTabs(); }

void TPageControl::SyncTabs() {
  if (syncing_) return;
  syncing_ = true;
  auto* tabs = static_cast<QTabWidget*>(Widget());
  QWidget* current = tabs->currentWidget();
  // Rebuilding the row is simpler than moving tabs about, and pages are
  // few; a page without its tab waits, hidden, beside the tabs.
  while (tabs->count() > 0) tabs->removeTab(0);
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* page = Pages(i);
    QWidget* w = page->Widget();
    if (page->TabVisible()) {
      tabs->addTab(w, QtText(page->Caption()));
    } else {
      w->hide();
      w->setParent(tabs);
    }
  }
  if (current != nullptr && tabs->indexOf(current) >= 0) tabs->setCurrentWidget(current);
  syncing_ = false;
}
