// An HRESULT in words and hex for messages: "E_NOTIMPL (not implemented, 0x80004001)".
#pragma once

#include <string>

#include "winerror.h"

namespace kx::pipeline {

std::string DescribeHResult(HRESULT hr);

}  // namespace kx::pipeline
