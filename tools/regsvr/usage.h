// The usage text of regsvr.
#pragma once

extern const char *const kUsage;
