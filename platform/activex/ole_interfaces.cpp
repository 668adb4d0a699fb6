// The identifiers of the embedding, drawing, persistence and property-page interfaces.
#include "activex/ole_interfaces.h"

const IID IID_IOleObject = makeGuid("{00000112-0000-0000-C000-000000000046}");
const IID IID_IOleWindow = makeGuid("{00000114-0000-0000-C000-000000000046}");
const IID IID_IOleInPlaceSite = makeGuid("{00000119-0000-0000-C000-000000000046}");
const IID IID_IViewObject = makeGuid("{0000010D-0000-0000-C000-000000000046}");
const IID IID_IPersistPropertyBag = makeGuid("{37D84F60-42CB-11CE-8135-00AA004BB851}");
const IID IID_IPropertyBag = makeGuid("{55272A00-42CB-11CE-8135-00AA004BB851}");
const IID IID_IProvideClassInfo = makeGuid("{B196B283-BAB4-101A-B69C-00AA00341D07}");
const IID IID_IPropertyPage = makeGuid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");
