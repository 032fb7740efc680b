// IXSLProcessor: one run of a compiled style sheet over an input document,
// producing text.
#ifndef EBANK_PLATFORM_MSXML_XSL_PROCESSOR_H_
#define EBANK_PLATFORM_MSXML_XSL_PROCESSOR_H_

#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/msxml/msxml_forward.h"

struct IXSLProcessor : IDispatch {
  // A document or node of this layer, as VT_DISPATCH or VT_UNKNOWN.
  STDMETHOD(put_input)(VARIANT input) = 0;
  // Runs the transformation; E_UNEXPECTED without input.
  STDMETHOD(transform)(VARIANT_BOOL* done) = 0;
  // The output of the last transformation as VT_BSTR (empty before one ran).
  STDMETHOD(get_output)(VARIANT* output) = 0;
  // Discards the output of the last transformation.
  STDMETHOD(reset)() = 0;

  // Raising wrappers.
  void Putinput(const _variant_t& input);
  VARIANT_BOOL transform();
  _variant_t Getoutput();
};

#endif  // EBANK_PLATFORM_MSXML_XSL_PROCESSOR_H_
