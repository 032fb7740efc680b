// Resource lookup on an already opened module, and creation of an in-process
// class, each against what a program would otherwise do: look a blob up in an
// in-memory map, and construct the object directly.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/simple_class_factory.h"
#include "ebank/platform/win32/resource.h"

namespace {

void BM_FindLoadLockResource(benchmark::State& state) {
  FindResourceA(nullptr, MAKEINTRESOURCEA(101), "XSL");  // opens and caches the module
  for (auto _ : state) {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(101), "XSL");
    const void* data = LockResource(LoadResource(nullptr, found));
    benchmark::DoNotOptimize(data);
    benchmark::DoNotOptimize(SizeofResource(nullptr, found));
  }
}
BENCHMARK(BM_FindLoadLockResource);

void BM_FindNamedResource(benchmark::State& state) {
  for (auto _ : state) {
    const HRSRC found = FindResourceA(nullptr, "PUBLIC_KEY", RT_RCDATA);
    benchmark::DoNotOptimize(LockResource(LoadResource(nullptr, found)));
  }
}
BENCHMARK(BM_FindNamedResource);

void BM_ReferenceMapLookup(benchmark::State& state) {
  const std::unordered_map<std::string, std::vector<char>> blobs = {
      {"XSL/101", std::vector<char>(200)}, {"RCDATA/PUBLIC_KEY", std::vector<char>(258)}};
  for (auto _ : state) {
    const auto found = blobs.find("RCDATA/PUBLIC_KEY");
    benchmark::DoNotOptimize(found->second.data());
  }
}
BENCHMARK(BM_ReferenceMapLookup);

// An object with nothing but IUnknown: the cheapest thing a class can make.
class Object final : public ebank::platform::ComObject<ebank::platform::Implements<IUnknown>> {};

using Factory = ebank::platform::SimpleClassFactory<Object, ebank::platform::OwnedByScope>;

constexpr CLSID kClsid = {0xBE7C4, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};

void BM_CoCreateInstanceFromClassTable(benchmark::State& state) {
  Factory factory;
  ebank::platform::RegisterClassFactory(kClsid, L"Ebank.Benchmark", &factory);
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  for (auto _ : state) {
    void* object = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
    static_cast<IUnknown*>(object)->Release();
  }
  CoUninitialize();
  ebank::platform::RevokeClassFactory(kClsid);
}
BENCHMARK(BM_CoCreateInstanceFromClassTable);

void BM_ReferenceDirectConstruction(benchmark::State& state) {
  Factory factory;
  for (auto _ : state) {
    void* object = nullptr;
    factory.CreateInstance(nullptr, IID_IUnknown, &object);
    benchmark::DoNotOptimize(object);
    static_cast<IUnknown*>(object)->Release();
  }
}
BENCHMARK(BM_ReferenceDirectConstruction);

}  // namespace
