#include <gtest/gtest.h>

#include "font_obfuscation.h"
#include "part_name.h"
#include "piece_name.h"

namespace kx::xps {
namespace {

TEST(PartName, ValidityFollowsThePartNameRules) {
  struct Case {
    const char* name;
    bool valid;
  } cases[] = {
      {"/Documents/1/Pages/1.fpage", true},
      {"/a/%D1%86.xml", true},  // non-ASCII, percent-encoded
      {"/a", true},
      {"", false},
      {"a/b", false},  // not absolute
      {"/", false},
      {"/a/", false},      // ends with a slash
      {"/a//b", false},    // empty segment
      {"/a/../b", false},  // dot segments would leave the part
      {"/a/./b", false},
      {"/a/b.", false},  // segment ends with a dot
      {"/a\\b", false},
      {"/a/%2Fb", false},               // encoded slash
      {"/a/%41", false},                // encoded unreserved character
      {"/a/%4", false},                 // broken escape
      {"/[Content_Types].xml", false},  // brackets are reserved for the package
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidPartName(c.name), c.valid) << c.name;
}

TEST(PartName, ReferencesResolveAgainstTheirPartAndNeverLeaveThePackage) {
  struct Case {
    const char* base;
    const char* reference;
    const char* resolved;  // null: refused
  } cases[] = {
      {"/Documents/1/FixedDocument.fdoc", "Pages/1.fpage", "/Documents/1/Pages/1.fpage"},
      {"/Documents/1/Pages/1.fpage", "../../../Resources/_D1.dict", "/Resources/_D1.dict"},
      {"/Documents/1/Pages/1.fpage", "/Resources/a.png", "/Resources/a.png"},
      {"/a/b.xml", "./c.xml", "/a/c.xml"},
      {"/a/b.xml", "../../c.xml", nullptr},  // above the root
      {"/a/b.xml", "http://example.com/c.xml", nullptr},
      {"/a/b.xml", "c.xml#frag", nullptr},
      {"/a/b.xml", "//host/c.xml", nullptr},
      {"/a/b.xml", "", nullptr},
  };
  for (const Case& c : cases) {
    const auto resolved = ResolvePartReference(c.base, c.reference);
    if (c.resolved) {
      ASSERT_TRUE(resolved) << c.reference;
      EXPECT_EQ(*resolved, c.resolved);
    } else {
      EXPECT_FALSE(resolved) << c.reference << " gave " << resolved.value_or("");
    }
  }
}

TEST(PartName, RelativeReferencesLeadBackToTheTarget) {
  const char* pairs[][2] = {
      {"/FixedDocumentSequence.fdseq", "/Documents/1/FixedDocument.fdoc"},
      {"/Documents/1/FixedDocument.fdoc", "/Documents/1/Pages/1.fpage"},
      {"/Documents/1/Pages/1.fpage", "/Resources/Fonts/a.odttf"},
      {"/Documents/1/Pages/1.fpage", "/Documents/2/Pages/1.fpage"},
  };
  for (const auto& [from, to] : pairs) {
    const std::string reference = RelativeReference(from, to);
    EXPECT_NE(reference.front(), '/');
    EXPECT_EQ(ResolvePartReference(from, reference).value_or(""), to) << reference;
  }
  EXPECT_EQ(RelativeReference("/Documents/1/Pages/1.fpage", "/Resources/a.png"),
            "../../../Resources/a.png");
}

TEST(PartName, NamesCompareWithoutCaseAndEscapes) {
  EXPECT_EQ(PartNameKey("/Resources/Font.ODTTF"), PartNameKey("/resources/font.odttf"));
  EXPECT_EQ(PartNameKey("/a/%D1%86.xml"), PartNameKey("/a/%d1%86.xml"));
  EXPECT_EQ(RelationshipsPartName("/a/b.fpage"), "/a/_rels/b.fpage.rels");
  EXPECT_EQ(RelationshipsPartName("/"), "/_rels/.rels");
}

TEST(PieceName, OnlyWellFormedSuffixesArePieces) {
  const auto first = ParsePieceName("Documents/1.fpage/[0].piece");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->prefix, "Documents/1.fpage");
  EXPECT_EQ(first->number, 0u);
  EXPECT_FALSE(first->last);
  const auto last = ParsePieceName("[Content_Types].xml/[12].LAST.piece");
  ASSERT_TRUE(last);
  EXPECT_EQ(last->prefix, "[Content_Types].xml");
  EXPECT_EQ(last->number, 12u);
  EXPECT_TRUE(last->last);
  for (const char* whole : {"Documents/1.fpage", "a/[01].piece", "a/[].piece", "a/[1].pieces",
                            "a/[x].piece", "[0].piece"})
    EXPECT_FALSE(ParsePieceName(whole)) << whole;
}

TEST(FontObfuscation, KeyComesFromTheGuidInStringOrderAndIsItsOwnInverse) {
  const auto key = ObfuscationKeyOf("/Resources/Fonts/0B1A2C3D-4E5F-6071-8293-A4B5C6D7E8F9.odttf");
  ASSERT_TRUE(key);
  std::uint8_t header[6] = {0x00, 0x01, 0x00, 0x00, 0x00, 0x0C};
  ApplyObfuscation(*key, 0, header);
  const std::uint8_t expected[6] = {0xF9, 0xE9, 0xD7, 0xC6, 0xB5, 0xA8};
  EXPECT_TRUE(std::equal(header, header + 6, expected));
  ApplyObfuscation(*key, 0, header);
  EXPECT_EQ(header[1], 0x01);

  // Byte 40 lies outside the 32 obfuscated bytes; byte 20 inside, written in two calls.
  std::uint8_t tail[24] = {};
  ApplyObfuscation(*key, 20, tail);
  EXPECT_NE(tail[0], 0);
  EXPECT_EQ(tail[20], 0);
  EXPECT_FALSE(ObfuscationKeyOf("/Resources/font.odttf"));
}

}  // namespace
}  // namespace kx::xps
