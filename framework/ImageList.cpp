#include "ImageList.h"

#include <QPixmap>
#include <vector>

// Stand-in until the views are built: holds no images.
struct TImageList::Impl {
  std::vector<QPixmap> images;
};

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), impl_(std::make_unique<Impl>()), width_(width), height_(height) {}
TImageList::~TImageList() = default;
int TImageList::Count() const { return static_cast<int>(impl_->images.size()); }
int TImageList::AddIcon(const TIcon*) { return -1; }
int TImageList::Add(const TBitmap*, const TBitmap*) { return -1; }
void TImageList::Clear() { impl_->images.clear(); }
QPixmap TImageList::Pixmap(int index) const {
  if (index < 0 || index >= Count()) return {};
  return impl_->images[static_cast<size_t>(index)];
}
