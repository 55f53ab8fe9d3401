#include <gtest/gtest.h>

#include "wlan/session.h"

namespace {

const GUID kLeadingZeros = {0x0A1B2C3D, 0x0001, 0x0ABC, {0x8D, 0x9E, 0xAF, 0x01, 0x23, 0x45, 0x67, 0x89}};

TEST(GuidToText, FirstThreeGroupsLoseTheirLeadingZerosButDataBytesKeepTwoDigits) {
  EXPECT_EQ(GuidToText(kLeadingZeros), "{A1B2C3D-1-ABC-8D9E-AF0123456789}");
  const GUID zero = {};
  EXPECT_EQ(GuidToText(zero), "{0-0-0-0000-000000000000}");
  const GUID full = {0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
  EXPECT_EQ(GuidToText(full), "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
  const GUID lowercaseDigits = {0xabcdef01, 0x2345, 0x6789, {0xab, 0xcd, 0xef, 0, 1, 2, 3, 4}};
  EXPECT_EQ(GuidToText(lowercaseDigits), "{ABCDEF01-2345-6789-ABCD-EF0001020304}");
}

TEST(IsInterfaceSelected, EmptyListSelectsAllElseExactMatchOnly) {
  const std::string text = GuidToText(kLeadingZeros);
  EXPECT_TRUE(IsInterfaceSelected({}, text));
  EXPECT_TRUE(IsInterfaceSelected({"{other}", text, text}, text));
  EXPECT_FALSE(IsInterfaceSelected({"{a1b2c3d-1-abc-8d9e-af0123456789}"}, text));
  EXPECT_FALSE(IsInterfaceSelected({"A1B2C3D-1-ABC-8D9E-AF0123456789"}, text));
  EXPECT_FALSE(IsInterfaceSelected({"{0A1B2C3D-0001-0ABC-8D9E-AF0123456789}"}, text));
}

}  // namespace
