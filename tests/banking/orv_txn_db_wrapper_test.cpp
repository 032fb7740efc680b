// COrvTxnDBWrapper against the scripted server module, created by the
// server's ProgID through a test registry.
#include "ebank/banking/orv_txn_db_wrapper.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/testing/test_txn_db.h"
#include "ebank/core/error.h"
#include "ebank/core/error_info_exception.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/atl_exception.h"
#include "ebank/platform/com/testing/fake_com_object_for_testing.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"

namespace {

using ebank::testing::TxnDBTestState;
using Calls = std::vector<std::wstring>;

constexpr const wchar_t* kEmptyRequest =
    L"Connect <CONNECT><ODBC><DSN></DSN><UID></UID><PWD></PWD></ODBC></CONNECT>";

class OrvTxnDBWrapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadTestRegistry();
    ASSERT_GE(CoInitializeEx(nullptr, COINIT_MULTITHREADED), 0);
    module_ = dlopen(EBANK_TEST_TXN_DB, RTLD_NOW);
    ASSERT_NE(module_, nullptr) << dlerror();
    auto state_of = reinterpret_cast<TxnDBTestState* (*)()>(dlsym(module_, "TestTxnDBState"));
    ASSERT_NE(state_of, nullptr);
    state_ = state_of();
    *state_ = TxnDBTestState();
  }
  void TearDown() override {
    // Every wrapper of the test is gone: no server object may be leaked or
    // released once too often.
    EXPECT_EQ(state_->OutstandingReferences(), 0u);
    EXPECT_EQ(state_->over_releases, 0);
    *state_ = TxnDBTestState();
    CoUninitialize();
    ebank::platform::ResetRegistryForTesting();
    dlclose(module_);
  }

  static void LoadTestRegistry() {
    std::ifstream file(EBANK_TEST_TXN_DB_REGISTRY);
    ebank::platform::LoadRegistryForTesting(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
  }

  // A server object made by ProgID, with one reference for the caller.
  static IOrvTxnDB2* NewServer() {
    ddCOM::IPtr<IOrvTxnDB2, &IID_IOrvTxnDB2> server(L"Brantel.OrvTxnDB", CLSCTX_INPROC_SERVER,
                                                    nullptr);
    return server.Detach();
  }

  void* module_ = nullptr;
  TxnDBTestState* state_ = nullptr;
};

TEST_F(OrvTxnDBWrapperTest, WalksTheStatesAndDisconnectsOnDestruction) {
  {
    COrvTxnDBWrapper db;
    EXPECT_FALSE(db.IsConnected());
    EXPECT_EQ(db.DisconnectDB(), S_FALSE);
    EXPECT_TRUE(state_->objects.empty()) << "nothing is created before first use";

    EXPECT_EQ(db.CreateDB(), S_OK);
    EXPECT_EQ(db.CreateDB(), S_OK);
    ASSERT_EQ(state_->objects.size(), 1u);
    EXPECT_FALSE(db.IsConnected());
    EXPECT_EQ(db.DisconnectDB(), S_FALSE) << "created but not connected";

    EXPECT_EQ(db.ConnectDB(), S_OK);
    EXPECT_EQ(db.ConnectDB(), S_OK);
    EXPECT_TRUE(db.IsConnected());

    state_->disconnect_result = E_FAIL;
    EXPECT_EQ(db.DisconnectDB(), E_FAIL) << "the server's answer is passed back";
    EXPECT_FALSE(db.IsConnected()) << "disconnected whatever the answer";
    EXPECT_EQ(db.DisconnectDB(), S_FALSE);

    state_->disconnect_result = S_OK;
    EXPECT_EQ(db.ConnectDB(), S_OK);
    EXPECT_EQ(state_->objects.size(), 1u) << "the server object stays across a disconnect";
    EXPECT_EQ(state_->objects[0]->references(), 1u);
  }
  EXPECT_EQ(state_->calls, (Calls{kEmptyRequest, L"Disconnect", kEmptyRequest, L"Disconnect"}));
}

TEST_F(OrvTxnDBWrapperTest, ConnectRequestCarriesTheConnectionDataInOrder) {
  COrvTxnDBWrapper db;
  db.Init(const_cast<wchar_t*>(L"Buchhaltung"), const_cast<wchar_t*>(L"kasse"),
          const_cast<wchar_t*>(L"geh\u00e4im"));
  EXPECT_EQ(db.ConnectDB(), S_OK);
  db.Init(const_cast<wchar_t*>(L"Andere"), const_cast<wchar_t*>(L"x"), const_cast<wchar_t*>(L"y"));
  EXPECT_EQ(db.ConnectDB(), S_OK);
  EXPECT_TRUE(db.IsConnected()) << "Init leaves a connected wrapper connected";
  db.DisconnectDB();
  db.ConnectDB();
  ASSERT_EQ(state_->calls.size(), 3u);
  EXPECT_EQ(state_->calls[0],
            L"Connect <CONNECT><ODBC><DSN>Buchhaltung</DSN><UID>kasse</UID>"
            L"<PWD>geh\u00e4im</PWD></ODBC></CONNECT>");
  EXPECT_EQ(state_->calls[2],
            L"Connect <CONNECT><ODBC><DSN>Andere</DSN><UID>x</UID><PWD>y</PWD></ODBC></CONNECT>");

  ebank::platform::FailBstrAllocationsForTesting(1);
  try {
    db.Init(const_cast<wchar_t*>(L"a"), const_cast<wchar_t*>(L"b"), const_cast<wchar_t*>(L"c"));
    FAIL() << "a failed string allocation must throw";
  } catch (const CAtlException& error) {
    EXPECT_EQ(error.m_hr, E_OUTOFMEMORY);
  }
  ebank::platform::FailBstrAllocationsForTesting(0);
}

TEST_F(OrvTxnDBWrapperTest, RefusedConnectsAreTriedAgain) {
  {
    COrvTxnDBWrapper db;
    state_->connect_result = S_FALSE;
    EXPECT_EQ(db.ConnectDB(), S_FALSE);
    EXPECT_FALSE(db.IsConnected());
    state_->connect_result = E_FAIL;
    EXPECT_EQ(db.ConnectDB(), E_FAIL);
    // operator-> goes on to the unconnected server.
    IOrvTxnDB2* server = db.operator->();
    EXPECT_EQ(server, static_cast<IOrvTxnDB2*>(state_->objects.at(0).get()));
    EXPECT_EQ(db.DisconnectDB(), S_FALSE);
    state_->connect_result = S_OK;
    EXPECT_EQ(db.ConnectDB(), S_OK);
    EXPECT_TRUE(db.IsConnected());
    db->Reserved9();  // connected now: no further Connect
  }
  EXPECT_EQ(state_->calls,
            (Calls{kEmptyRequest, kEmptyRequest, kEmptyRequest, kEmptyRequest, L"Disconnect"}));
  EXPECT_EQ(state_->objects.size(), 1u);
}

TEST_F(OrvTxnDBWrapperTest, AccountFindSendsAEuroKontoAndReturnsWhatTheServerWrote) {
  COrvTxnDBWrapper db;
  wchar_t* number = SysAllocString(L"0001234");
  wchar_t* bank_code = SysAllocString(L"37050198");

  state_->find_key = 17;
  state_->find_result = E_FAIL;
  EXPECT_EQ(db.AccountFind(number, bank_code), 17) << "the key counts, not the HRESULT";
  state_->find_writes_key = false;
  state_->find_result = S_OK;
  EXPECT_EQ(db.AccountFind(number, bank_code), -1);
  state_->find_result = E_FAIL;
  EXPECT_EQ(db.AccountFind(nullptr, nullptr), -1);
  SysFreeString(number);
  SysFreeString(bank_code);

  ASSERT_EQ(state_->calls.size(), 4u);
  EXPECT_EQ(state_->calls[0], kEmptyRequest);
  const std::wstring prefix = L"FindAccount ";
  ASSERT_EQ(state_->calls[1].rfind(prefix, 0), 0u);
  std::wstring sent = state_->calls[1].substr(prefix.size());
  const CDBAccount konto(sent.data());
  EXPECT_EQ(std::wstring(konto.m_bstrNummer.ByVal()), L"0001234");
  EXPECT_EQ(std::wstring(konto.m_bstrBLZ.ByVal()), L"37050198");
  EXPECT_EQ(std::wstring(konto.m_bstrCurrency.ByVal()), L"EUR");
  EXPECT_EQ(konto.m_lKtoID, -1);
  EXPECT_EQ(konto.m_lOnline, -1);
  EXPECT_EQ(konto.m_lCityCode, 0);
  EXPECT_NE(sent.find(L"YEAR=\"1899\" MONTH=\"12\" DAY=\"30\""), std::wstring::npos);

  sent = state_->calls[3].substr(prefix.size());
  const CDBAccount empty_keys(sent.data());
  EXPECT_TRUE(empty_keys.m_bstrNummer.IsEmpty());
  EXPECT_TRUE(empty_keys.m_bstrBLZ.IsEmpty());
}

TEST_F(OrvTxnDBWrapperTest, GetAccountListAnswersForEveryKindOfServerText) {
  COrvTxnDBWrapper db;
  IXMLDOMNodeListPtr list;

  state_->accounts_text =
      L"<KONTEN><KONTO><NUMMER>1</NUMMER></KONTO><OTHER/><KONTO><NUMMER>2</NUMMER>"
      L"<BLZ>37050198</BLZ></KONTO><KONTO><NUMMER>3</NUMMER></KONTO></KONTEN>";
  EXPECT_EQ(db.GetAccountList(list), S_OK);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Getlength(), 3);
  const CDBAccount second(list->Getitem(1));
  EXPECT_EQ(std::wstring(second.m_bstrNummer.ByVal()), L"2");
  EXPECT_EQ(std::wstring(second.m_bstrBLZ.ByVal()), L"37050198");
  EXPECT_EQ(std::wstring(CDBAccount(list->Getitem(2)).m_bstrNummer.ByVal()), L"3");
  const IXMLDOMNodeListPtr accounts = list;

  state_->accounts_text = L"<KONTEN/>";
  EXPECT_EQ(db.GetAccountList(list), S_OK);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Getlength(), 0);

  list = accounts;
  state_->accounts_text = L"<KONTO><NUMMER>1</NUMMER></KONTO>";
  EXPECT_EQ(db.GetAccountList(list), S_FALSE);
  state_->accounts_null = true;
  EXPECT_EQ(db.GetAccountList(list), S_FALSE) << "a null answer has no KONTEN root";
  state_->accounts_null = false;
  state_->accounts_result = E_ACCESSDENIED;
  EXPECT_EQ(db.GetAccountList(list), E_ACCESSDENIED);
  EXPECT_EQ(list, accounts) << "the list is changed only on success";

  state_->accounts_result = S_OK;
  state_->accounts_text = L"<KONTEN><KONTO></KONTEN>";
  EXPECT_THROW(db.GetAccountList(list), ddCOM::Error);
  EXPECT_EQ(list, accounts);

  EXPECT_EQ(state_->calls.size(), 7u);
  EXPECT_EQ(state_->calls[1], L"GetAccounts -1");
  EXPECT_EQ(accounts->Getlength(), 3) << "the list outlives the document it came from";
}

TEST_F(OrvTxnDBWrapperTest, AdoptedServersCountAsConnectedAndAreNotDisconnected) {
  IOrvTxnDB2* server = NewServer();
  {
    COrvTxnDBWrapper db(server);
    EXPECT_TRUE(db.IsConnected());
    EXPECT_EQ(state_->objects.at(0)->references(), 2u);
    EXPECT_EQ(db.operator->(), server);
    db->Reserved10();
  }
  EXPECT_TRUE(state_->calls.empty()) << "no Connect and no Disconnect for an adopted server";
  EXPECT_EQ(server->Release(), 0u);

  COrvTxnDBWrapper none(nullptr);
  EXPECT_FALSE(none.IsConnected());
  EXPECT_EQ(none.DisconnectDB(), S_FALSE);

  auto* foreign = new ebank::testing::FakeComObject;
  try {
    COrvTxnDBWrapper wrong(static_cast<IUnknown*>(static_cast<IDispatch*>(foreign)));
    FAIL() << "an object without IOrvTxnDB2 must be refused";
  } catch (const ddCOM::ErrorInfo& error) {
    EXPECT_EQ(error.HResult(), E_NOINTERFACE);
  }
  EXPECT_EQ(foreign->references(), 1u);
  foreign->Release();
}

TEST_F(OrvTxnDBWrapperTest, AssignedWrappersShareTheServerAndEachDisconnectsIt) {
  {
    COrvTxnDBWrapper first;
    first.Init(const_cast<wchar_t*>(L"dsn"), const_cast<wchar_t*>(L"uid"),
               const_cast<wchar_t*>(L"pwd"));
    COrvTxnDBWrapper second;
    second.ConnectDB();  // replaced by the assignment below
    ASSERT_EQ(first.ConnectDB(), S_OK);
    second = first;
    COrvTxnDBWrapper& same = second;
    second = same;
    EXPECT_TRUE(second.IsConnected());
    EXPECT_EQ(state_->objects.at(0)->references(), 0u) << "second's own server is released";
    EXPECT_EQ(state_->objects.at(1)->references(), 2u);
    EXPECT_EQ(second.operator->(), first.operator->());
  }
  const std::wstring request =
      L"Connect <CONNECT><ODBC><DSN>dsn</DSN><UID>uid</UID><PWD>pwd</PWD></ODBC></CONNECT>";
  EXPECT_EQ(state_->calls, (Calls{kEmptyRequest, request, L"Disconnect", L"Disconnect"}));
}

TEST_F(OrvTxnDBWrapperTest, CreationFailuresRaiseAndAreTriedAgain) {
  ebank::platform::LoadRegistryForTesting("REGEDIT4\n");
  COrvTxnDBWrapper db;
  IXMLDOMNodeListPtr list;
  for (int attempt = 0; attempt < 4; ++attempt) {
    try {
      switch (attempt) {
        case 0:
          db.ConnectDB();
          break;
        case 1:
          db.AccountFind(nullptr, nullptr);
          break;
        case 2:
          db.GetAccountList(list);
          break;
        default:
          db->Disconnect();
      }
      FAIL() << "an unregistered server must raise, attempt " << attempt;
    } catch (const ddCOM::ErrorInfo& error) {
      EXPECT_EQ(error.HResult(), CO_E_CLASSSTRING);
    }
  }
  EXPECT_FALSE(db.IsConnected());
  EXPECT_EQ(db.DisconnectDB(), S_FALSE);

  LoadTestRegistry();
  EXPECT_EQ(db.ConnectDB(), S_OK);
  EXPECT_EQ(state_->calls, (Calls{kEmptyRequest}));
}

}  // namespace
