#include "servers/txndb/account_table.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace ebank::txndb {
namespace {

// The columns after the key, in the order the statements below use them.
constexpr char kColumns[] =
    "lFkKeyDown, lFkKeyUp, szKtoNummer, szBlz, szCurrency, lOnline, szBezeichnung, szBankName, "
    "szContactName, szContactType, szName, szNameEx, szCity, szStreet, lCityCode, lCountryCode, "
    "dtLastDownload";

constexpr char kColumnTypes[] =
    "lFkKeyDown INTEGER, lFkKeyUp INTEGER, szKtoNummer VARCHAR(255) NOT NULL, "
    "szBlz VARCHAR(255) NOT NULL, szCurrency VARCHAR(255) NOT NULL, lOnline INTEGER, "
    "szBezeichnung VARCHAR(255), szBankName VARCHAR(255), szContactName VARCHAR(255), "
    "szContactType VARCHAR(255), szName VARCHAR(255), szNameEx VARCHAR(255), "
    "szCity VARCHAR(255), szStreet VARCHAR(255), lCityCode INTEGER, lCountryCode INTEGER, "
    "dtLastDownload VARCHAR(10))";

size_t CharacterCount(const std::string& utf8) {
  size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The download date as an ISO text; the table keeps dates as text because the
// databases behind ODBC disagree on date types.
std::string DateText(const KontoRecord& record) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", record.download_year, record.download_month,
                record.download_day);
  return text;
}

// The usual "YYYY-MM-DD" is read digit by digit; anything else (signs,
// spaces, short fields) goes through sscanf, whose reading it matches.
bool ReadIsoDate(std::string_view text, int& year, int& month, int& day) {
  const auto digits = [&](std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  if (text.size() < 10 || text[4] != '-' || text[7] != '-') return false;
  year = digits(0, 4);
  month = digits(5, 2);
  day = digits(8, 2);
  return year >= 0 && month >= 0 && day >= 0;
}

void ReadDateText(const std::string& text, KontoRecord& record) {
  int year = 0, month = 0, day = 0;
  if (!ReadIsoDate(text, year, month, day) &&
      std::sscanf(text.c_str(), "%4d-%2d-%2d", &year, &month, &day) != 3) {
    return;
  }
  record.download_year = year;
  record.download_month = month;
  record.download_day = day;
}

std::vector<OdbcValue> RowValues(const KontoRecord& r) {
  return {r.fk_key_down, r.fk_key_up, r.nummer,       r.blz,          r.currency, r.online,
          r.bezeichnung, r.bank_name, r.contact_name, r.contact_type, r.name,     r.name_ex,
          r.city,        r.street,    r.city_code,    r.country_code, DateText(r)};
}

void CheckLengths(const std::vector<OdbcValue>& values) {
  for (const OdbcValue& value : values) {
    const auto* text = std::get_if<std::string>(&value);
    if (text != nullptr && CharacterCount(*text) > AccountTable::kMaxTextLength) {
      throw std::invalid_argument("an account field is longer than 255 characters");
    }
  }
}

// Reads the current row into `r`, reusing its texts' storage; a NULL
// number leaves the record's value, a NULL text is empty.
void ReadRow(OdbcStatement& row, KontoRecord& r) {
  int column = 1;
  auto integer = [&](int32_t& field) { field = row.Integer(column++).value_or(field); };
  auto text = [&](std::string& field) { row.Text(column++, field); };
  integer(r.id);
  integer(r.fk_key_down);
  integer(r.fk_key_up);
  text(r.nummer);
  text(r.blz);
  text(r.currency);
  integer(r.online);
  text(r.bezeichnung);
  text(r.bank_name);
  text(r.contact_name);
  text(r.contact_type);
  text(r.name);
  text(r.name_ex);
  text(r.city);
  text(r.street);
  integer(r.city_code);
  integer(r.country_code);
  r.download_year = 1899;
  r.download_month = 12;
  r.download_day = 30;
  if (auto date = row.Text(column)) ReadDateText(*date, r);
}

}  // namespace

void AccountTable::Open(const std::string& connection_string) {
  Close();
  try {
    connection_.Open(connection_string);
    CreateTableIfMissing();
    find_ = connection_.Prepare(
        "SELECT KtoID FROM Konto WHERE szKtoNummer = ? AND szBlz = ? AND szCurrency = ?");
    add_ = connection_.Prepare(std::string("INSERT INTO Konto (") + kColumns +
                               ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    list_ = connection_.Prepare(std::string("SELECT KtoID, ") + kColumns +
                                " FROM Konto ORDER BY KtoID");
  } catch (...) {
    Close();
    throw;
  }
}

void AccountTable::Close() {
  list_.reset();
  add_.reset();
  find_.reset();
  connection_.Close();
}

void AccountTable::CreateTableIfMissing() {
  // The key column is the one thing the dialects spell differently.
  const bool embedded = connection_.DbmsName() == "SQLite";
  const std::string key = embedded ? "KtoID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                   : "KtoID INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, ";
  connection_.Execute("CREATE TABLE IF NOT EXISTS Konto (" + key + kColumnTypes);
  connection_.Execute(
      "CREATE UNIQUE INDEX IF NOT EXISTS KontoByNumber ON Konto (szKtoNummer, szBlz, szCurrency)");
}

std::optional<int32_t> AccountTable::Find(const std::string& nummer, const std::string& blz,
                                          const std::string& currency) {
  if (!find_) throw OdbcError("not connected to a database", "08003");
  find_->Execute({nummer, blz, currency});
  if (!find_->Fetch()) return std::nullopt;
  return find_->Integer(1);
}

int32_t AccountTable::Add(const KontoRecord& record) {
  if (!add_) throw OdbcError("not connected to a database", "08003");
  const std::vector<OdbcValue> values = RowValues(record);
  CheckLengths(values);
  add_->Execute(values);
  // The unique key finds the new row on every database, without relying on a
  // dialect's way of returning generated keys.
  const std::optional<int32_t> key = Find(record.nummer, record.blz, record.currency);
  if (!key) throw OdbcError("the stored account cannot be found again", "HY000");
  return *key;
}

void AccountTable::ForEach(const std::function<void(const KontoRecord&)>& visit) {
  if (!list_) throw OdbcError("not connected to a database", "08003");
  list_->Execute({});
  KontoRecord record;
  while (list_->Fetch()) {
    // The numbers a NULL leaves start from the defaults again on every row.
    record.id = record.fk_key_down = record.fk_key_up = record.online = -1;
    record.city_code = record.country_code = 0;
    ReadRow(*list_, record);
    visit(record);
  }
}

}  // namespace ebank::txndb
