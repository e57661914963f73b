#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "filterpipeline.h"
#include "objbase.h"

namespace {

TEST(Guid, FormatsAndParsesTheRegistryForm) {
  WCHAR text[39];
  ASSERT_EQ(StringFromGUID2(IID_IPrintPipelineFilter, text, 39), 39);
  EXPECT_EQ(std::u16string(text), u"{CDB62FC0-8BED-434E-86FB-A2CAE55F19EA}");

  CLSID parsed{};
  ASSERT_EQ(CLSIDFromString(u"{cdb62fc0-8bed-434e-86fb-a2cae55f19ea}", &parsed), S_OK);
  EXPECT_EQ(parsed, IID_IPrintPipelineFilter);
  EXPECT_TRUE(IsEqualGUID(parsed, IID_IPrintPipelineFilter));
  EXPECT_FALSE(IsEqualGUID(parsed, IID_IUnknown));
}

TEST(Guid, ComparesAllSixteenBytes) {
  GUID a = IID_IFixedPage;
  GUID b = a;
  b.Data4[7] ^= 1;
  EXPECT_FALSE(IsEqualGUID(a, b));
  EXPECT_NE(a, b);
}

TEST(Guid, RejectsMalformedText) {
  const char16_t* bad[] = {
      u"",
      u"CDB62FC0-8BED-434E-86FB-A2CAE55F19EA",     // no braces
      u"{CDB62FC0-8BED-434E-86FB-A2CAE55F19E}",    // short
      u"{CDB62FC0-8BED-434E-86FB-A2CAE55F19EAA}",  // long
      u"{CDB62FC0+8BED-434E-86FB-A2CAE55F19EA}",   // wrong separator
      u"{CDB62FC0-8BED-434E-86FB-A2CAE55F19EG}",   // not hex
  };
  for (const char16_t* text : bad) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromString(text, &clsid), CO_E_CLASSSTRING);
    IID iid{};
    EXPECT_EQ(IIDFromString(text, &iid), E_INVALIDARG);
  }
}

TEST(Guid, FormattingNeedsRoomForTheTerminator) {
  WCHAR text[38];
  EXPECT_EQ(StringFromGUID2(IID_IUnknown, text, 38), 0);
}

TEST(Guid, NewGuidsAreRandomVersionFour) {
  std::set<std::tuple<std::uint32_t, std::uint16_t, std::uint16_t>> seen;
  for (int i = 0; i < 100; ++i) {
    GUID guid{};
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    EXPECT_EQ(guid.Data3 >> 12, 4);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
    seen.insert({guid.Data1, guid.Data2, guid.Data3});
  }
  EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
