// The manual-page style usage text of nelowav.
#pragma once

extern const char *const kUsage;
