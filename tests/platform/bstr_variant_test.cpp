#include <gtest/gtest.h>

#include <cstring>

#include "kx/com_object.h"
#include "oleauto.h"

namespace {

TEST(Bstr, KeepsLengthAndEmbeddedNulls) {
  const char16_t text[] = u"a\0b";
  BSTR s = SysAllocStringLen(text, 3);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 3u);
  EXPECT_EQ(SysStringByteLen(s), 6u);
  EXPECT_EQ(std::memcmp(s, text, 6), 0);
  EXPECT_EQ(s[3], 0);  // terminated
  std::uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(s) - 4, 4);
  EXPECT_EQ(prefix, 6u);
  SysFreeString(s);
}

TEST(Bstr, NullIsTheEmptyString) {
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);
  BSTR blank = SysAllocStringLen(nullptr, 2);  // room for two characters, zeroed
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(SysStringLen(blank), 2u);
  EXPECT_EQ(blank[0], 0);
  SysFreeString(blank);
}

class Counted final : public kx::ComObject<IUnknown> {};

TEST(Variant, CopyTakesItsOwnReferencesAndClearReleasesThem) {
  auto object = kx::MakeComObject<Counted>();
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_UNKNOWN;
  source.punkVal = object.Get();
  object->AddRef();

  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_EQ(copy.punkVal, object.Get());
  EXPECT_EQ(object->AddRef(), 4u);  // ours, source's, copy's, this one
  object->Release();

  EXPECT_EQ(VariantClear(&copy), S_OK);
  EXPECT_EQ(copy.vt, VT_EMPTY);
  EXPECT_EQ(VariantClear(&source), S_OK);
  EXPECT_EQ(object->AddRef(), 2u);
  object->Release();
}

TEST(Variant, CopyOfAStringIsDeep) {
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_BSTR;
  source.bstrVal = SysAllocString(u"Kexley");
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_NE(copy.bstrVal, source.bstrVal);
  EXPECT_EQ(std::u16string(copy.bstrVal), u"Kexley");
  VariantClear(&source);
  VariantClear(&copy);
}

}  // namespace
