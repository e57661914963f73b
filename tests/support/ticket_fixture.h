// Loads small print tickets into DOMs for the ticket tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "com_apartment_test.h"
#include "kx/com_ptr.h"
#include "msxml6.h"
#include "objbase.h"

namespace kx::test {

inline constexpr char16_t kPrivateNamespace[] =
    u"http://schemas.kexley.example/printing/2026/keywords";

// The usual root: psf, psk, xsi, xsd and the private namespace as kx.
std::u16string TicketXml(std::u16string_view body, std::u16string_view root = u"psf:PrintTicket");

// A small valid user ticket, in UTF-8.
std::string UserTicketXml();

// A DOM loaded from xml, or null (with a test failure) when it does not load.
ComPtr<IXMLDOMDocument2> LoadTicketDom(const std::u16string& xml);

// The DOM serialised again, for comparisons.
std::u16string DomXml(IXMLDOMDocument2* dom);

}  // namespace kx::test
