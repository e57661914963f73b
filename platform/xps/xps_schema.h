// Names the XPS package layer reads and writes: markup namespaces, relationship types and
// content types of Microsoft XPS (2005/06) and OpenXPS.
#pragma once

#include <string_view>

namespace kx::xps {

// The two vocabularies of the same document model. Content types are shared; namespaces and
// relationship types differ.
enum class Flavour { kMicrosoftXps, kOpenXps };

struct FlavourNames {
  std::string_view markup;            // FixedDocumentSequence, FixedDocument, FixedPage
  std::string_view startPart;         // package -> FixedDocumentSequence
  std::string_view requiredResource;  // page -> font, image, profile, dictionary
  std::string_view printTicket;       // sequence, document or page -> ticket
};

inline constexpr FlavourNames kMicrosoftXpsNames{
    "http://schemas.microsoft.com/xps/2005/06",
    "http://schemas.microsoft.com/xps/2005/06/fixedrepresentation",
    "http://schemas.microsoft.com/xps/2005/06/required-resource",
    "http://schemas.microsoft.com/xps/2005/06/printticket",
};

inline constexpr FlavourNames kOpenXpsNames{
    "http://schemas.openxps.org/oxps/v1.0",
    "http://schemas.openxps.org/oxps/v1.0/fixedrepresentation",
    "http://schemas.openxps.org/oxps/v1.0/required-resource",
    "http://schemas.openxps.org/oxps/v1.0/printticket",
};

constexpr const FlavourNames& NamesOf(Flavour flavour) {
  return flavour == Flavour::kOpenXps ? kOpenXpsNames : kMicrosoftXpsNames;
}

inline constexpr std::string_view kContentTypesNamespace =
    "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr std::string_view kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kThumbnailRelationship =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/thumbnail";
inline constexpr std::string_view kPrintSchemaFrameworkNamespace =
    "http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework";

inline constexpr std::string_view kContentTypesItem = "[Content_Types].xml";

namespace content_type {
inline constexpr std::string_view kRelationships =
    "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr std::string_view kFixedDocumentSequence =
    "application/vnd.ms-package.xps-fixeddocumentsequence+xml";
inline constexpr std::string_view kFixedDocument =
    "application/vnd.ms-package.xps-fixeddocument+xml";
inline constexpr std::string_view kFixedPage = "application/vnd.ms-package.xps-fixedpage+xml";
inline constexpr std::string_view kResourceDictionary =
    "application/vnd.ms-package.xps-resourcedictionary+xml";
inline constexpr std::string_view kFont = "application/vnd.ms-opentype";
inline constexpr std::string_view kObfuscatedFont =
    "application/vnd.ms-package.obfuscated-opentype";
inline constexpr std::string_view kColorProfile = "application/vnd.ms-color.iccprofile";
inline constexpr std::string_view kPrintTicket = "application/vnd.ms-printing.printticket+xml";
inline constexpr std::string_view kOctetStream = "application/octet-stream";
}  // namespace content_type

}  // namespace kx::xps
