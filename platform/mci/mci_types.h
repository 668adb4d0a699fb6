// The media interface's own result type.
#pragma once

#include "base/platform_types.h"

using MCIERROR = DWORD;
