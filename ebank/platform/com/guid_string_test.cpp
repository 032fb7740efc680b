#include "ebank/platform/com/guid_string.h"

#include <gtest/gtest.h>

#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/task_memory.h"

namespace {

const CLSID kClsid = {0x4C557799, 0x55BE, 0x487B, {0xA3, 0xF0, 0x72, 0xBA, 0x76, 0x0A, 0xD7, 0xE0}};
constexpr wchar_t kText[] = L"{4C557799-55BE-487B-A3F0-72BA760AD7E0}";

TEST(GuidStringTest, FormatsBracedUpperCaseAndParsesBack) {
  LPOLESTR text = nullptr;
  ASSERT_EQ(StringFromCLSID(kClsid, &text), S_OK);
  EXPECT_STREQ(text, kText);
  CoTaskMemFree(text);

  wchar_t buffer[kGuidStringLength];
  EXPECT_EQ(StringFromGUID2(kClsid, buffer, kGuidStringLength), 39);
  EXPECT_STREQ(buffer, kText);
  EXPECT_EQ(StringFromGUID2(kClsid, buffer, kGuidStringLength - 1), 0);

  CLSID parsed{};
  ASSERT_EQ(CLSIDFromString(L"{4c557799-55be-487b-a3f0-72ba760ad7e0}", &parsed), S_OK);
  EXPECT_TRUE(IsEqualCLSID(parsed, kClsid));
  IID iid{};
  ASSERT_EQ(IIDFromString(kText, &iid), S_OK);
  EXPECT_TRUE(IsEqualIID(iid, kClsid));
}

TEST(GuidStringTest, MalformedTextsAreRejectedAndLeaveGuidNull) {
  for (const wchar_t* bad :
       {L"{4C557799-55BE-487B-A3F0-72BA760AD7E}", L"{4C557799-55BE-487B-A3F0",
        L"{4C557799-55BE-487B-A3F0-72BA760AD7E0}x", L"{4C557799-55BE-487B-A3F0_72BA760AD7E0}",
        L"{4C557799-55BE-487B-A3F0-72BA760AD7EG}", L"{"}) {
    CLSID parsed = kClsid;
    EXPECT_EQ(CLSIDFromString(bad, &parsed), CO_E_CLASSSTRING) << bad;
    EXPECT_TRUE(IsEqualCLSID(parsed, GUID_NULL));
    EXPECT_EQ(IIDFromString(bad, &parsed), E_INVALIDARG) << bad;
  }
  CLSID parsed{};
  EXPECT_EQ(CLSIDFromString(L"No.Such.ProgId", &parsed), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromString(kText, nullptr), E_INVALIDARG);
  EXPECT_EQ(StringFromCLSID(kClsid, nullptr), E_INVALIDARG);
}

}  // namespace
