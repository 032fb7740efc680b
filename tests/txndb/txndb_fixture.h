// Shared setup of the transaction database server tests: the registry that
// registers the built server, COM on the test thread, and helpers that store,
// find and list accounts through the database wrapper.
#ifndef EBANK_TESTS_TXNDB_TXNDB_FIXTURE_H_
#define EBANK_TESTS_TXNDB_TXNDB_FIXTURE_H_

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/orv_txn_db_accounts.h"
#include "ebank/banking/orv_txn_db_wrapper.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"
#include "servers/txndb/utf8_text.h"
#include "tests/txndb/test_databases.h"

namespace ebank::txndb {

using BString = ddCOM::BString<wchar_t>;

class TxnDbFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream file(EBANK_TXNDB_REGISTRY);
    ASSERT_TRUE(file) << EBANK_TXNDB_REGISTRY;
    platform::LoadRegistryForTesting(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  }
  void TearDown() override {
    CoUninitialize();
    platform::ResetRegistryForTesting();
  }

  static void Init(COrvTxnDBWrapper& db, const std::string& dsn, const std::string& uid = "",
                   const std::string& pwd = "") {
    std::wstring wide_dsn = Utf8ToWide(dsn), wide_uid = Utf8ToWide(uid), wide_pwd = Utf8ToWide(pwd);
    db.Init(wide_dsn.data(), wide_uid.data(), wide_pwd.data());
  }
  static void Init(COrvTxnDBWrapper& db, const TestDatabase& database) {
    Init(db, database.ConnectionString(), database.User(), database.Password());
  }

  // Stores an account through AddAccount; returns its key, or the failure.
  static LONG Add(COrvTxnDBWrapper& db, const wchar_t* number, const wchar_t* bank_code,
                  const wchar_t* name = L"") {
    BString bstr_number(number), bstr_bank_code(bank_code);
    CDBAccount account(bstr_number, bstr_bank_code, BString(L"EUR"));
    account.m_bstrName = name;
    IOrvTxnDBAccounts* accounts = nullptr;
    EXPECT_EQ(db->QueryInterface(IID_IOrvTxnDBAccounts, reinterpret_cast<void**>(&accounts)), S_OK);
    if (accounts == nullptr) return E_NOINTERFACE;
    LONG key = -1;
    const HRESULT hr = accounts->AddAccount(account.KontoToXmlbStr(), &key);
    accounts->Release();
    return hr == S_OK ? key : hr;
  }

  static LONG Find(COrvTxnDBWrapper& db, const wchar_t* number, const wchar_t* bank_code) {
    BString bstr_number(number), bstr_bank_code(bank_code);
    return db.AccountFind(bstr_number.ByVal(), bstr_bank_code.ByVal());
  }

  // The accounts of GetAccountList, read back as records.
  static std::vector<CDBAccount> List(COrvTxnDBWrapper& db) {
    std::vector<CDBAccount> accounts;
    IXMLDOMNodeListPtr list;
    EXPECT_EQ(db.GetAccountList(list), S_OK);
    if (list == nullptr) return accounts;
    LONG length = 0;
    list->get_length(&length);
    for (LONG i = 0; i < length; ++i) {
      IXMLDOMNode* node = nullptr;
      list->get_item(i, &node);
      accounts.emplace_back(IXMLDOMNodePtr(node, false));
    }
    return accounts;
  }

  // The description of the thread's error object, as UTF-8; empty if none.
  static std::string LastErrorDescription() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return {};
    BSTR description = nullptr;
    info->GetDescription(&description);
    info->Release();
    std::string text = description != nullptr ? WideToUtf8(description) : "";
    SysFreeString(description);
    return text;
  }
};

}  // namespace ebank::txndb

#endif  // EBANK_TESTS_TXNDB_TXNDB_FIXTURE_H_
