// The VARIANT owner, holding a real COM object and real texts.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

#include <string>
#include <utility>

#include "core/Variant.h"

namespace {

// The reference count of `object` now, left as it was.
ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// `variant` takes a reference of its own to `object`.
void Hold(app::Variant& variant, IUnknown* object) {
  object->AddRef();
  VARIANT* out = variant.put();
  V_VT(out) = VT_UNKNOWN;
  V_UNKNOWN(out) = object;
}

TEST(Variant, ClearsWhatItHoldsWhenItGoesIsOverwrittenOrMovedOnto) {
  Microsoft::WRL::ComPtr<IStream> stream;
  ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  const ULONG alone = References(stream.Get());
  {
    app::Variant held;
    Hold(held, stream.Get());
    EXPECT_EQ(References(stream.Get()), alone + 1);
    (void)held.put();
    EXPECT_EQ(References(stream.Get()), alone) << "an out-parameter clears first";
    EXPECT_EQ(V_VT(&held.value()), VT_EMPTY);

    Hold(held, stream.Get());
    app::Variant moved = std::move(held);
    EXPECT_EQ(V_VT(&held.value()), VT_EMPTY);
    EXPECT_EQ(References(stream.Get()), alone + 1) << "a move hands the one reference on";
    app::Variant other;
    Hold(other, stream.Get());
    EXPECT_EQ(References(stream.Get()), alone + 2);
    other = std::move(moved);
    EXPECT_EQ(References(stream.Get()), alone + 1) << "the value moved onto is cleared";
  }
  EXPECT_EQ(References(stream.Get()), alone);
}

TEST(Variant, ChangeTypeConvertsOrLeavesItEmpty) {
  const app::Variant seven = app::Variant::Int32(7);
  app::Variant text;
  ASSERT_TRUE(text.ChangeTypeFrom(seven.value(), VT_BSTR));
  ASSERT_EQ(V_VT(&text.value()), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(&text.value())), L"7");

  app::Variant number;
  ASSERT_TRUE(number.ChangeTypeFrom(text.value(), VT_I4));
  EXPECT_EQ(V_VT(&number.value()), VT_I4);
  EXPECT_EQ(V_I4(&number.value()), 7);

  const app::Variant missing = app::Variant::Missing();
  EXPECT_EQ(V_VT(&missing.value()), VT_ERROR);
  EXPECT_EQ(V_ERROR(&missing.value()), DISP_E_PARAMNOTFOUND);

  app::Variant word;
  VARIANT* out = word.put();
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = ::SysAllocString(L"seven");  // the owner frees it
  EXPECT_FALSE(number.ChangeTypeFrom(word.value(), VT_I4));
  EXPECT_EQ(V_VT(&number.value()), VT_EMPTY);
}

}  // namespace
