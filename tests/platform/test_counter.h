// The interface of the test in-process server: a counter object.
#ifndef EBANK_TESTS_PLATFORM_TEST_COUNTER_H_
#define EBANK_TESTS_PLATFORM_TEST_COUNTER_H_

#include "ebank/platform/com/unknown.h"

struct ITestCounter : IUnknown {
  STDMETHOD(Increment)(LONG* value) = 0;  // slot 3
};

// {6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C01}
inline constexpr IID IID_ITestCounter = {
    0x6C1E0A52, 0x3D1B, 0x4F7A, {0x9E, 0x0C, 0x2B, 0x5D, 0x8A, 0x7F, 0x1C, 0x01}};
// {6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C02}
inline constexpr CLSID CLSID_TestCounter = {
    0x6C1E0A52, 0x3D1B, 0x4F7A, {0x9E, 0x0C, 0x2B, 0x5D, 0x8A, 0x7F, 0x1C, 0x02}};

#endif  // EBANK_TESTS_PLATFORM_TEST_COUNTER_H_
