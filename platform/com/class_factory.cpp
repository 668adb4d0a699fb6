// Identifier of the class-factory interface.
#include "com/class_factory.h"

const IID IID_IClassFactory = makeGuid("{00000001-0000-0000-C000-000000000046}");
