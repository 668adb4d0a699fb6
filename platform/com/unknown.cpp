// Identifier of the root interface.
#include "com/unknown.h"

const IID IID_IUnknown = makeGuid("{00000000-0000-0000-C000-000000000046}");
