#pragma once

#include <string>

#include "framework/forms/Control.h"

/// A line of text on a form. With AutoSize (the default) the label takes
/// the size of its caption in its font whenever either changes. The caption
/// is shown as it stands, "&" included.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  /// A transparent label lets its parent's background show through.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 private:
  void Fit();

  std::string caption_;
  bool autoSize_ = true;
  bool transparent_ = false;
};
