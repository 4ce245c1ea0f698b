#pragma once

#include <memory>
#include <string>

#include "framework/forms/Control.h"

class TBitmap;

/// A flat button that shows a picture (its glyph) and, when set, a caption.
/// The glyph's bottom-left pixel gives its transparent colour: pixels of that
/// colour let the button's face show through. A click runs OnClick.
class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  /// The picture shown; empty until set.
  const TBitmap* Glyph() const { return glyph_.get(); }
  /// Shows a copy of a picture.
  void SetGlyph(const TBitmap& glyph);

  /// Presses the button as a user's click would.
  void Click();

 private:
  void UpdateLook();

  std::string caption_;
  std::unique_ptr<TBitmap> glyph_;
};
