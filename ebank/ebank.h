// Umbrella header: includes the whole public API of the ebank libraries.
#ifndef EBANK_EBANK_H_
#define EBANK_EBANK_H_

#include "ebank/version.h"
#include "ebank/platform/types.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/core/library_version.h"

#endif  // EBANK_EBANK_H_
