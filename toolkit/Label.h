#pragma once

#include <string>

#include "Font.h"
#include "GdiObject.h"
#include "GraphicControl.h"

enum TAlignment { taLeftJustify, taCenter, taRightJustify };

// A windowless text.  "&" marks an access key (underlined); "&&" is a plain "&".  With
// AutoSize (the default) the label takes the size of its text, wrapped at its width when
// WordWrap is on; a transparent label shows its parent through, others fill their rectangle
// with Color, which is the parent's colour unless set.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // The font, its height in pixels at the label's Dpi().
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // The background when not transparent; CLR_INVALID (the default) takes the parent's.
  void SetLabelColor(COLORREF color);

  void Paint(HDC dc) override;
  void SetParent(TWinControl* parent) override;

protected:
  // The font's height as well as the bounds; a label with AutoSize measures itself again.
  void ChangeScale(int fromDpi, int toDpi) override;

private:
  UINT TextFlags() const;
  void AdjustSize();
  HFONT FontHandle();

  std::string caption_;
  TFont font_;
  TScaledLength scaledFontHeight_;
  TGdiObject<HFONT> fontHandle_;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  COLORREF labelColor_ = CLR_INVALID;
};
