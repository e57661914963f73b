// Part names: validation, comparison, resolution of references and the names derived from a
// part name (its relationships part, its ZIP item name). A part name is "/" followed by
// non-empty segments; it never leaves the package: no "." or ".." segment, no backslash, no
// encoded slash. Names compare case-insensitively (ASCII) after percent-decoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kx::xps {

bool IsValidPartName(std::string_view name);

// The form two part names are compared in: lower-case ASCII, percent escapes decoded.
std::string PartNameKey(std::string_view name);

// Resolves a reference (absolute "/a/b" or relative "../b") found in part `base`. Empty when
// the result is no valid part name, for example when it climbs above the package root or
// carries a scheme, query or fragment.
std::optional<std::string> ResolvePartReference(std::string_view base, std::string_view reference);

// The shortest reference from part `from` to part `to`: "Pages/1.fpage", "../Fonts/a.odttf".
std::string RelativeReference(std::string_view from, std::string_view to);

// "/a/b.xml" -> "/a/_rels/b.xml.rels"; "/" (the package) -> "/_rels/.rels".
std::string RelationshipsPartName(std::string_view partName);

// The text after the last "." of the last segment; empty when there is none.
std::string_view PartExtension(std::string_view name);

}  // namespace kx::xps
