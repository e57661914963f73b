// Small helpers for the print ticket service tests: tickets from a few lines of features,
// memory streams, and XPath over the results.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "kx/com_ptr.h"
#include "prntvpt.h"

namespace kx::test {

// A print ticket whose root declares psf, psk, xsd, xsi and kx around the given body.
std::string Ticket(std::string_view body);
std::string ReadSourceDriverFile(std::string_view name);

ComPtr<IStream> StreamOf(std::string_view bytes);
// Everything the stream holds, from its start.
std::string Contents(IStream* stream);

struct Outcome {
  HRESULT hr = E_FAIL;
  std::string xml;
  std::string error;
};

// Opens a provider for the test thread before each test and closes it after.
class PrintTicketTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // No delta: the base alone is validated.
  Outcome Merge(std::string_view base, std::optional<std::string_view> delta,
                EPrintTicketScope scope = kPTJobScope);
  Outcome MergeOntoDefault(std::string_view delta) {
    return Merge(ReadSourceDriverFile("default_ticket.xml"), delta);
  }
  Outcome Capabilities(std::string_view ticket);

  HPTPROVIDER provider_ = nullptr;
};

// XPath over a result with the prefixes psf, psk, xsi and kx bound.
std::string XPathText(const std::string& xml, const std::string& expression);
int XPathCount(const std::string& xml, const std::string& expression);

// The option name of a root-level feature, "none" when absent.
std::string OptionOf(const std::string& xml, const std::string& feature);

}  // namespace kx::test
