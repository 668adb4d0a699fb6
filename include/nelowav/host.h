// Everything a program needs to host the NELOWAV wave control: the control site, which
// creates the control through the installation's registry, calls its methods and receives its
// events; the types and functions of the object runtime that go with it (VARIANT, BSTR,
// HRESULT, GUID, DISPID); and the control's identifiers (CLSID, ProgID, DISPIDs, Done codes).
#pragma once

#include "nelowav/activex/control_site.h"
#include "nelowav/com/automation_string.h"
#include "nelowav/com/dispatch.h"
#include "nelowav/com/guid.h"
#include "nelowav/com/hresult.h"
#include "nelowav/com/variant.h"
#include "nelowav/interface/nelowav_ids.h"
