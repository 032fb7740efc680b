#include "ebank/platform/com/guid_string.h"

#include <cwchar>
#include <optional>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/task_memory.h"

namespace {

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
// Character positions of the byte pairs of the braced form, in GUID byte order
// of the text: Data1 (4 bytes), Data2, Data3, then the 8 bytes of Data4.
constexpr int kBytePositions[16] = {1, 3, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27, 29, 31, 33, 35};
constexpr int kDashPositions[4] = {9, 14, 19, 24};

void BytesOf(const GUID& guid, BYTE (&bytes)[16]) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(guid.Data1 >> (24 - 8 * i));
  bytes[4] = static_cast<BYTE>(guid.Data2 >> 8);
  bytes[5] = static_cast<BYTE>(guid.Data2);
  bytes[6] = static_cast<BYTE>(guid.Data3 >> 8);
  bytes[7] = static_cast<BYTE>(guid.Data3);
  for (int i = 0; i < 8; ++i) bytes[8 + i] = guid.Data4[i];
}

GUID GuidOf(const BYTE (&bytes)[16]) {
  GUID guid{};
  for (int i = 0; i < 4; ++i) guid.Data1 = (guid.Data1 << 8) | bytes[i];
  guid.Data2 = static_cast<WORD>((bytes[4] << 8) | bytes[5]);
  guid.Data3 = static_cast<WORD>((bytes[6] << 8) | bytes[7]);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = bytes[8 + i];
  return guid;
}

void Format(const GUID& guid, wchar_t* out) {
  BYTE bytes[16];
  BytesOf(guid, bytes);
  out[0] = L'{';
  for (int dash : kDashPositions) out[dash] = L'-';
  for (int i = 0; i < 16; ++i) {
    out[kBytePositions[i]] = kHexDigits[bytes[i] >> 4];
    out[kBytePositions[i] + 1] = kHexDigits[bytes[i] & 0xF];
  }
  out[37] = L'}';
  out[38] = L'\0';
}

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Reads exactly the braced form (either case of hex digits), nothing after it.
std::optional<GUID> ParseBraced(const wchar_t* text) {
  for (int i = 0; i < kGuidStringLength - 1; ++i) {
    if (text[i] == L'\0') return std::nullopt;
  }
  if (text[0] != L'{' || text[37] != L'}' || text[38] != L'\0') return std::nullopt;
  for (int dash : kDashPositions) {
    if (text[dash] != L'-') return std::nullopt;
  }
  BYTE bytes[16];
  for (int i = 0; i < 16; ++i) {
    const int high = HexValue(text[kBytePositions[i]]);
    const int low = HexValue(text[kBytePositions[i] + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[i] = static_cast<BYTE>((high << 4) | low);
  }
  return GuidOf(bytes);
}

HRESULT AllocateText(const GUID& guid, LPOLESTR* text) {
  if (text == nullptr) return E_INVALIDARG;
  *text = static_cast<LPOLESTR>(CoTaskMemAlloc(kGuidStringLength * sizeof(OLECHAR)));
  if (*text == nullptr) return E_OUTOFMEMORY;
  Format(guid, *text);
  return S_OK;
}

}  // namespace

extern "C" HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text) {
  return AllocateText(clsid, text);
}

extern "C" int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int max) {
  if (buffer == nullptr || max < kGuidStringLength) return 0;
  Format(guid, buffer);
  return kGuidStringLength;
}

extern "C" HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
  if (clsid == nullptr) return E_INVALIDARG;
  *clsid = GUID_NULL;
  if (text == nullptr) return S_OK;
  if (text[0] != L'{') return SUCCEEDED(CLSIDFromProgID(text, clsid)) ? S_OK : CO_E_CLASSSTRING;
  const auto parsed = ParseBraced(text);
  if (!parsed) return CO_E_CLASSSTRING;
  *clsid = *parsed;
  return S_OK;
}

extern "C" HRESULT IIDFromString(LPCOLESTR text, IID* iid) {
  if (iid == nullptr) return E_INVALIDARG;
  *iid = GUID_NULL;
  if (text == nullptr) return S_OK;
  const auto parsed = ParseBraced(text);
  if (!parsed) return E_INVALIDARG;
  *iid = *parsed;
  return S_OK;
}
