// Resources, module handles and version blocks of a real program and a real
// shared object, both built with resources packed into them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/module.h"
#include "ebank/platform/win32/resource.h"
#include "ebank/platform/win32/version_info.h"

namespace {

std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string BaseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
  const HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) return "<missing>";
  const HGLOBAL data = LoadResource(module, found);
  const auto* bytes = static_cast<const char*>(LockResource(data));
  const std::string text(bytes, SizeofResource(module, found));
  FreeResource(data);
  return text;
}

// The version of a module file, as the trace header reads it.
std::string ProductVersion(const char* path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return "<none>";
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(path, handle, size, block.data())) return "<unreadable>";
  WORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    return "<no translation>";
  }
  char query[64];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04hX%04hX\\ProductVersion", translation[0],
                translation[1]);
  char* text = nullptr;
  if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length)) {
    return "<no version>";
  }
  EXPECT_EQ(length, std::strlen(text) + 1);
  return text;
}

// Runs first: the server must not be loaded yet.
TEST(ModuleFileTest, VersionIsReadByPathWithoutLoading) {
  const std::string server_name = BaseName(EBANK_TEST_SERVER);
  ASSERT_EQ(GetModuleHandleA(server_name.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(ProductVersion(EBANK_TEST_SERVER), "4.5.6.7");
  EXPECT_EQ(GetModuleHandleA(server_name.c_str()), nullptr) << "reading the version loaded it";

  char program[4096];
  ASSERT_GT(GetModuleFileNameA(nullptr, program, sizeof program), 0u);
  EXPECT_EQ(ProductVersion(program), "1.2.3.4");
  EXPECT_EQ(ProductVersion("/nonexistent/module.so"), "<none>");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ProductVersion(EBANK_TEST_XSL), "<none>") << "not an ELF file";
}

TEST(ModuleFileTest, VersionQueriesForOtherTextsFail) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(EBANK_TEST_SERVER, &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  EXPECT_FALSE(GetFileVersionInfoA(EBANK_TEST_SERVER, 0, size - 1, block.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_TRUE(GetFileVersionInfoA(EBANK_TEST_SERVER, 0, size, block.data()));
  void* value = nullptr;
  UINT length = 0;
  EXPECT_TRUE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\fileversion", &value, &length));
  EXPECT_FALSE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\040704E4\\ProductVersion", &value, &length));
  EXPECT_FALSE(
      VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\Comments", &value, &length));
  EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\0409", &value, &length));
  EXPECT_FALSE(VerQueryValueA(block.data(), "\\", &value, &length));
}

TEST(ModuleResourceTest, ProgramCarriesSheetRecordsAndStrings) {
  EXPECT_EQ(ResourceText(nullptr, MAKEINTRESOURCEA(101), "XSL"), FileText(EBANK_TEST_XSL));
  EXPECT_EQ(ResourceText(nullptr, "#101", "xsl"), FileText(EBANK_TEST_XSL));
  EXPECT_EQ(ResourceText(nullptr, "public_key", RT_RCDATA).size(), 258u);
  EXPECT_EQ(ResourceText(nullptr, "PRIVATE_KEY", RT_RCDATA).size(), 706u);
  const HRSRC english = FindResourceExA(nullptr, RT_RCDATA, "PUBLIC_KEY",
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  EXPECT_EQ(english, nullptr) << "resources are packed language-neutral";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));

  char text[64];
  EXPECT_EQ(LoadStringA(nullptr, 1, text, sizeof text), 22);
  EXPECT_STREQ(text, "Hello from the program");
  EXPECT_EQ(LoadStringA(nullptr, 2, text, 7), 6) << "cut to size - 1 characters";
  EXPECT_STREQ(text, "Zweite");
  EXPECT_EQ(LoadStringA(nullptr, 1, nullptr, 10), 0);
}

TEST(ModuleResourceTest, MissingResourcesAnswerNullWithTheWindowsErrors) {
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(999), "XSL"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceA(nullptr, "PUBLIC_KEY", "HTML"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceA(nullptr, nullptr, RT_RCDATA), nullptr);
  EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(0x1000), "PUBLIC_KEY", RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  const HMODULE no_resources =
      ebank::platform::ModuleFromAddress(reinterpret_cast<const void*>(&GetLastError));
  EXPECT_EQ(FindResourceA(no_resources, "PUBLIC_KEY", RT_RCDATA), nullptr);

  char text[16] = "unchanged";
  EXPECT_EQ(LoadStringA(nullptr, 3, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(text)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(ModuleResourceTest, LoadedLibraryIsFoundAndKeepsItsOwnResources) {
  void* library = dlopen(EBANK_TEST_SERVER, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const HMODULE server = GetModuleHandleA(BaseName(EBANK_TEST_SERVER).c_str());
  ASSERT_NE(server, nullptr);
  EXPECT_EQ(GetModuleHandleA(EBANK_TEST_SERVER), server);
  EXPECT_EQ(ebank::platform::ModuleFromAddress(dlsym(library, "DllGetClassObject")), server);

  char text[64];
  EXPECT_EQ(LoadStringA(server, 1, text, sizeof text), 18);
  EXPECT_STREQ(text, "Text of the server");
  EXPECT_EQ(LoadStringA(server, 2, text, sizeof text), 0);
  EXPECT_EQ(ResourceText(server, MAKEINTRESOURCEA(101), "XSL"), FileText(EBANK_TEST_XSL));

  char path[4096];
  const DWORD length = GetModuleFileNameA(server, path, sizeof path);
  EXPECT_EQ(std::string(path, length), EBANK_TEST_SERVER);
  char short_path[8];
  EXPECT_EQ(GetModuleFileNameA(server, short_path, sizeof short_path), 8u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(short_path), std::string(EBANK_TEST_SERVER).substr(0, 7));
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1000), path, sizeof path), 0u);
  dlclose(library);
}

}  // namespace
