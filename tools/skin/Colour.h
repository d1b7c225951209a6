// Colours as floats in 0..255 and the skin's palette.
#pragma once

namespace skin {

struct Rgb {
  float r = 0.f;
  float g = 0.f;
  float b = 0.f;
};

constexpr Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
constexpr Rgb Scale(Rgb c, float k) {
  return {c.r * k, c.g * k, c.b * k};
}
constexpr Rgb Add(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}

// The palette: one deep blue family, the border colour of the controls as the accent, white
// surfaces for text. Every colour of the skin is one of these or a mix of two.
namespace palette {
inline constexpr Rgb kMagenta{255, 0, 255};  // the transparent key, never drawn
inline constexpr Rgb kAccent{59, 168, 225};  // border colour of the controls
inline constexpr Rgb kAccentLight{112, 196, 240};
inline constexpr Rgb kAccentDark{26, 112, 186};
inline constexpr Rgb kTitleTop{24, 80, 150};
inline constexpr Rgb kTitleBottom{15, 54, 110};
inline constexpr Rgb kBodyTop{13, 46, 98};
inline constexpr Rgb kBodyBottom{7, 26, 60};
inline constexpr Rgb kNavyLine{6, 24, 54};
inline constexpr Rgb kColumnTop{28, 96, 172};
inline constexpr Rgb kColumnBottom{15, 60, 122};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kPaper{250, 252, 255};
inline constexpr Rgb kPaperShade{232, 241, 251};
inline constexpr Rgb kHairline{214, 228, 242};
inline constexpr Rgb kCardBorder{184, 212, 236};
inline constexpr Rgb kInk{18, 62, 124};        // pictograms on light faces
inline constexpr Rgb kInkSoft{206, 229, 248};  // pictograms on dark faces
inline constexpr Rgb kDisabledFace{238, 240, 243};
inline constexpr Rgb kDisabledLine{206, 211, 218};
inline constexpr Rgb kDisabledInk{166, 174, 184};
inline constexpr Rgb kDangerTop{226, 84, 72};  // close button under the mouse
inline constexpr Rgb kDangerBottom{184, 44, 40};
}  // namespace palette

}  // namespace skin
