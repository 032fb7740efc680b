// A counted COM object and its class factory for the tests of the COM support
// classes and the error model: answers IUnknown, IDispatch and
// ISupportErrorInfo, and reports how many references are outstanding.
#ifndef EBANK_PLATFORM_COM_TESTING_FAKE_COM_OBJECT_FOR_TESTING_H_
#define EBANK_PLATFORM_COM_TESTING_FAKE_COM_OBJECT_FOR_TESTING_H_

#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/simple_class_factory.h"
#include "ebank/platform/com/without_late_binding.h"
#include "ebank/platform/hresult.h"

namespace ebank::testing {

class FakeComObject final
    : public platform::ComObject<
          platform::Implements<platform::WithoutLateBinding<IDispatch>, &IID_IDispatch>,
          platform::Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>> {
 public:
  // `supports_error_info` is what InterfaceSupportsErrorInfo answers.
  explicit FakeComObject(HRESULT supports_error_info = S_OK)
      : supports_error_info_(supports_error_info) {}

  ULONG references() const { return References(); }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return supports_error_info_; }

 private:
  ~FakeComObject() override = default;

  HRESULT supports_error_info_;
};

using FakeClassFactory = platform::SimpleClassFactory<FakeComObject>;

}  // namespace ebank::testing

#endif  // EBANK_PLATFORM_COM_TESTING_FAKE_COM_OBJECT_FOR_TESTING_H_
