// The platform layer's Win32 and COM basics in one include.
#pragma once

#include "objbase.h"
#include "winbase.h"
