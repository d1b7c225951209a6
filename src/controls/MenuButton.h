// CMenuButton: a child window drawn from skin bitmaps, with a caption and an optional description
// and four looks (normal, hover, pressed or selected, disabled). The style fixes where the texts go
// and what a click does. It tells its parent (and the main window) with WM_COMMAND. From the
// keyboard it is a push button: a tab stop that Space (pressed on the key's down, clicked on its up),
// Enter and BM_CLICK (its access key) click as the mouse does; it tells screen readers its name,
// role and state.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/PrivateMessages.h"
#include "win/Accessible.h"
#include "win/Handle.h"
#include "win/Scale.h"
#include "win/Window.h"

enum class MenuButtonState : int { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

enum class MenuButtonStyle : int {
  kLarge = 0,      // the start page's large button: caption left, beside the picture
  kCard = 1,       // the start page's smaller buttons: caption and description
  kTab = 2,        // ribbon tabs: caption under the picture; the pressed look is "selected"
  kPush = 3,       // plain push buttons: command to the parent only
  kPassClick = 4,  // no text; the parent sees the click first
  kPassMouse = 5,  // no text; button down and up go on to the parent
  kGlyph = 6,      // Home and Back: the glyph sits left of x = 19
};

class CMenuButton : public win::Window, public win::AccessibleSource {
 public:
  // The size, in design pixels, when the normal bitmap is missing.
  static constexpr SIZE kDefaultSize{200, 50};
  static constexpr COLORREF kDisabledTextColor = RGB(0x96, 0x96, 0x96);

  CMenuButton() = default;

  // A visible child of `parent` at (x, y), as large as the normal bitmap. The bitmaps stay the
  // creator's. Texts come from the string table; ID 0 leaves a text empty.
  bool Create(int x, int y, HBITMAP normal, HBITMAP hover, HBITMAP pressed, MenuButtonStyle style,
              UINT captionId, UINT descriptionId, HWND parent, int id);

  // Like Create, with faces that the button keeps itself: skin bitmaps of the program's own file, by
  // state (normal, hover, pressed, disabled; 0 for none). Each face is loaded when the button first
  // shows it: most of them are never seen in a session. The size is the normal face's.
  bool CreateWithSkinFaces(int x, int y, const std::array<int, 4>& faceIds, MenuButtonStyle style,
                           UINT captionId, UINT descriptionId, HWND parent, int id);
  // The scale the button is laid out at: before Create, the one it is made at; afterwards its faces
  // of their own are those of the new scale, and it takes the size of its normal face. Its creator
  // places it; app::kApplyScaleMessage does the same with the scale it carries.
  void SetScale(win::Scale scale);
  [[nodiscard]] win::Scale GetScale() const noexcept { return scale_; }
  void SetDisabledBitmap(HBITMAP disabled) noexcept { faces_[3] = disabled; }
  // Other normal, hover and pressed faces (a check box's ticked and unticked looks), not owned; the
  // button keeps its size and state and shows the new face at once.
  void SetFaces(HBITMAP normal, HBITMAP hover, HBITMAP pressed) noexcept;
  void SetCaptionFont(HFONT font, COLORREF color) noexcept;
  void SetDescriptionFont(HFONT font, COLORREF color) noexcept;
  // The caption, '&' marking its access key ("&&" for a literal '&'); the window's text is the same.
  void SetCaption(const std::wstring& caption);
  void SetState(MenuButtonState state, bool repaint) noexcept;
  // Whether Tab stops on the button: it does unless told otherwise (the picture styles that pass
  // the mouse on never), and never while it is disabled.
  void SetTabStop(bool tabStop) noexcept;
  // What screen readers call the button when that is not its caption: the text of a picture-only
  // button's tip, or a caption the button shows broken into lines. Empty: the caption.
  void SetAccessibleName(const std::wstring& name);
  // Arrow keys go to the parent as WM_KEYDOWN (a page that moves the focus between its buttons).
  void SetArrowsToParent(bool toParent) noexcept { arrowsToParent_ = toParent; }
  // Shows the focus cue as if the button had the focus: its parent has it and stands on this button
  // (a ribbon tab). The cue still waits until the window shows focus cues.
  // `inset`: design pixels inside the edge (0 for a small picture such as a check box's).
  void SetFocusCue(bool shown, int inset = 2) noexcept;
  // A click as the mouse makes it (nothing while disabled).
  void Click();

  [[nodiscard]] MenuButtonState State() const noexcept { return state_; }
  [[nodiscard]] MenuButtonStyle Style() const noexcept { return style_; }
  [[nodiscard]] int Id() const noexcept { return id_; }
  [[nodiscard]] SIZE Size() const noexcept { return size_; }
  // The caption as shown, without its access-key markers.
  [[nodiscard]] const std::wstring& Caption() const noexcept { return shownCaption_; }
  // The caption with its markers, as set.
  [[nodiscard]] const std::wstring& MarkedCaption() const noexcept { return caption_; }
  // The caption's access key as written, 0 for none.
  [[nodiscard]] wchar_t AccessKey() const noexcept;
  [[nodiscard]] const std::wstring& Description() const noexcept { return description_; }
  // Where the texts go for this style and size; empty rectangles for none.
  [[nodiscard]] RECT CaptionRect() const noexcept;
  [[nodiscard]] RECT DescriptionRect() const noexcept;

  // Draws the whole button, background included, into `dc` at (0, 0).
  void Draw(HDC dc) const;

  // Every menu button below `root` gives up a press and its hover look (WM_CANCELMODE): a modal box
  // or another window takes over, and the pointer's leave may never be seen.
  static void EndHoverIn(HWND root) noexcept;

  // What screen readers are told: a push button, or a page tab for the tab style.
  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] std::wstring AccDescription(long child) const override;
  [[nodiscard]] long AccRole(long child) const override;
  [[nodiscard]] long AccState(long child) const override;
  [[nodiscard]] std::wstring AccDefaultAction(long child) const override;
  bool AccDoDefaultAction(long child) override;
  [[nodiscard]] std::wstring AccKeyboardShortcut(long child) const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] win::AccessibleSource* Accessible() noexcept override { return this; }

 private:
  void OnMouseMove(LPARAM lParam);
  void OnMouseLeave();
  void OnButtonDown(LPARAM lParam);
  void OnButtonUp(LPARAM lParam);
  // The press is given up: the mouse is let go and the button rests again.
  void CancelPress() noexcept;
  void EndHover() noexcept;
  // True for the styles that click themselves (not those that pass the mouse to their parent).
  [[nodiscard]] bool Captures() const noexcept;
  [[nodiscard]] bool Inside(LPARAM lParam) const noexcept;
  [[nodiscard]] MenuButtonState RestingState() const noexcept;
  void PassToParent(UINT message, WPARAM wParam, LPARAM lParam) const;
  void SendCommand() const;
  // What a click does by style; `selectedTab`: the tab was already selected.
  void Activate(bool selectedTab);
  void Repaint() const noexcept;
  // Keys: Space presses on its down and clicks on its up, Enter clicks; true when the key was ours.
  bool OnKey(UINT message, WPARAM key, LPARAM lParam);
  [[nodiscard]] LRESULT DialogCode(const MSG* message) const noexcept;
  // The window's tab-stop style as wanted and allowed by the state.
  void ApplyTabStop() noexcept;
  [[nodiscard]] bool ShowsFocusCue() const noexcept;
  [[nodiscard]] HWND MainWindow() const noexcept;
  bool CreateSized(int x, int y, SIZE face, MenuButtonStyle style, UINT captionId, UINT descriptionId,
                   HWND parent, int id);
  // The size of the normal face, or the default size at the scale without one.
  [[nodiscard]] SIZE FaceSize() const noexcept;
  // The face of `state`, loaded now if it is one of the button's own that is still to come.
  [[nodiscard]] HBITMAP Face(MenuButtonState state) const noexcept;

  int id_ = 0;
  std::array<HBITMAP, 4> faces_{};  // indexed by MenuButtonState; not owned
  // The button's own faces (CreateWithSkinFaces): their IDs, those still to be loaded, and those loaded.
  std::array<int, 4> faceIds_{};
  mutable std::array<int, 4> pendingFaceIds_{};
  mutable std::array<win::UniqueBitmap, 4> ownFaces_;
  win::Scale scale_;
  SIZE size_ = kDefaultSize;
  std::wstring caption_;       // with its access-key markers
  std::wstring shownCaption_;  // without them
  std::wstring description_;
  std::wstring accessibleName_;
  HFONT captionFont_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  HFONT descriptionFont_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  COLORREF captionColor_ = RGB(0, 0, 0);
  COLORREF descriptionColor_ = RGB(0, 0, 0);
  MenuButtonStyle style_ = MenuButtonStyle::kPush;
  MenuButtonState state_ = MenuButtonState::kNormal;
  // A tab that was already selected when the button went down: its release means "back to the list".
  bool downOnSelectedTab_ = false;
  // The press began on this button, which holds the mouse until the release.
  bool pressing_ = false;
  // Space went down on the button and its up will click.
  bool spacePressing_ = false;
  bool tabStop_ = true;
  bool arrowsToParent_ = false;
  bool focusCue_ = false;
  int cueInset_ = 2;
};
