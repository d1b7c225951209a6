// The kernel's own windows: the message window with its link, the About box, the error reporter
// and the profile editor, each found and answered like a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "KernelTestSupport.h"
#include "vanto/KernelDialogs.h"

namespace kerneltest {
namespace {

class KernelWindows : public KernelTest {
 protected:
  ComPtr<IVantoMessages> Messages() {
    ComPtr<IVantoMessages> messages;
    EXPECT_EQ(::CoCreateInstance(CLSID_VantoMessages, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&messages)),
              S_OK);
    return messages;
  }
};

TEST_F(KernelWindows, TheMessageWindowShowsItsCaptionIconAndAClickableLink) {
  std::wstring linkClass, url, linkText;
  bool hasIcon = false;
  DialogDriver driver(L"VANTO Other Products", [&](HWND dialog) {
    HWND link = ::GetDlgItem(dialog, IDC_VANTO_TEXT);
    linkClass = ClassOf(link);
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_URL;
    item.iLink = 0;
    if (::SendMessageW(link, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) url = item.szUrl;
    linkText = GetItemText(dialog, IDC_VANTO_TEXT);
    hasIcon = ::SendDlgItemMessageW(dialog, IDC_VANTO_ICON, STM_GETICON, 0, 0) != 0;
    Press(dialog, IDOK);
  });
  Bstr text(L"More products are waiting at <a href=\"https://vanto.example/products\">our web site</a>.");
  Bstr caption(L"VANTO Other Products");
  LONG result = 0;
  ASSERT_EQ(Messages()->ShowMessage(0, text.get(), caption.get(), MB_ICONINFORMATION, &result), S_OK);
  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(_wcsicmp(linkClass.c_str(), WC_LINK), 0) << ::testing::PrintToString(linkClass);
  EXPECT_EQ(url, L"https://vanto.example/products");
  EXPECT_NE(linkText.find(L"our web site"), std::wstring::npos);
  EXPECT_TRUE(hasIcon);
}

TEST_F(KernelWindows, AMessageWithoutCaptionOrIconUsesTheDefaultTitle) {
  bool iconVisible = true;
  DialogDriver driver(kVantoMessageTitle, [&](HWND dialog) {
    iconVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDC_VANTO_ICON)) != FALSE;
    Press(dialog, IDOK);
  });
  Bstr text(L"Plain text.");
  LONG result = 0;
  ASSERT_EQ(Messages()->ShowMessage(0, text.get(), nullptr, 0, &result), S_OK);
  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(result, IDOK);
  EXPECT_FALSE(iconVisible);
}

TEST_F(KernelWindows, TheErrorReporterNamesTheLimitAndTheApplication) {
  struct Case {
    LONG code;
    const wchar_t* expected;
  };
  for (const Case& c :
       {Case{VANTO_E_TRANSLATION_LIMIT, L"translation limit"}, Case{E_ACCESSDENIED, L"80070005"}}) {
    std::wstring shown;
    DialogDriver driver(kVantoErrorTitle, [&](HWND dialog) {
      shown = GetItemText(dialog, IDC_VANTO_TEXT);
      Press(dialog, IDOK);
    });
    Bstr application(L"VANTO Startdeck");
    ASSERT_EQ(Messages()->ReportError(0, c.code, application.get()), S_OK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_NE(shown.find(c.expected), std::wstring::npos) << ::testing::PrintToString(shown);
    EXPECT_NE(shown.find(L"VANTO Startdeck"), std::wstring::npos);
  }
}

TEST_F(KernelWindows, TheAboutBoxNamesTheProduct) {
  ComPtr<IVantoMessages> messages = Messages();
  ASSERT_EQ(messages->Setup(3, 0), S_OK);
  Bstr product(L"VANTO Professional 9");
  ASSERT_EQ(messages->Start(product.get()), S_OK);
  std::wstring shown;
  DialogDriver driver(kVantoAboutTitle, [&](HWND dialog) {
    shown = GetItemText(dialog, IDC_VANTO_TEXT);
    Press(dialog, IDOK);
  });
  ASSERT_EQ(messages->ShowAbout(0), S_OK);
  EXPECT_TRUE(driver.Finish());
  EXPECT_NE(shown.find(L"VANTO Professional 9"), std::wstring::npos) << ::testing::PrintToString(shown);
}

TEST_F(KernelWindows, TheProfileEditorMakesTheChosenProfileCurrent) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_EQ(kernel->SetCurrentDirection(6), S_OK);
  ComPtr<IVantoProfileEditor> editor;
  ASSERT_EQ(kernel->GetProfileEditor(&editor), S_OK);
  VARIANT owner, flag, missing;
  ::VariantInit(&owner);
  V_VT(&owner) = VT_I4;
  V_I4(&owner) = 0;
  ::VariantInit(&missing);
  V_VT(&missing) = VT_ERROR;
  V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;

  struct Round {
    int choose;  // -1: cancel
    LONG flag;
    const wchar_t* selectedWhenShown;
  };
  const Round rounds[] = {
      {2, 1, L"General"}, {0, 0, L"Technical"}, {1, 1, L"Technical"}, {-1, 0, L"Business"}};
  for (const Round& round : rounds) {
    std::wstring direction, selected;
    DialogDriver driver(kVantoProfilesTitle, [&](HWND dialog) {
      direction = GetItemText(dialog, IDC_VANTO_DIRECTION);
      HWND list = ::GetDlgItem(dialog, IDC_VANTO_PROFILE_LIST);
      const LRESULT current = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
      wchar_t text[64] = {};
      if (current >= 0)
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(text));
      selected = text;
      if (round.choose < 0) {
        Press(dialog, IDCANCEL);
        return;
      }
      ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(round.choose), 0);
      // The second round chooses but cancels: nothing changes.
      Press(dialog, round.flag ? IDOK : IDCANCEL);
    });
    ::VariantInit(&flag);
    V_VT(&flag) = VT_I4;
    V_I4(&flag) = 1;
    ASSERT_EQ(editor->ShowModal(owner, &flag, missing, missing), S_OK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(direction, L"English-Spanish");
    EXPECT_EQ(selected, round.selectedWhenShown);
    EXPECT_EQ(V_VT(&flag), VT_I4);
    EXPECT_EQ(V_I4(&flag), round.flag);
  }
}

}  // namespace
}  // namespace kerneltest
