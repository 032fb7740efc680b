// One account as the transaction database server stores it: the fields of a
// KONTO element, texts in UTF-8.
#ifndef EBANK_SERVERS_TXNDB_KONTO_RECORD_H_
#define EBANK_SERVERS_TXNDB_KONTO_RECORD_H_

#include <cstdint>
#include <string>

namespace ebank::txndb {

struct KontoRecord {
  int32_t id = -1;
  int32_t fk_key_down = -1;
  int32_t fk_key_up = -1;
  std::string nummer;
  std::string blz;
  std::string currency = "EUR";
  int32_t online = -1;
  std::string bezeichnung;
  std::string bank_name;
  std::string contact_name;
  std::string contact_type;
  std::string name;
  std::string name_ex;
  std::string city;
  std::string street;
  int32_t city_code = 0;
  int32_t country_code = 0;
  // Date of the last download; 1899-12-30 is the empty date.
  int32_t download_year = 1899;
  int32_t download_month = 12;
  int32_t download_day = 30;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_KONTO_RECORD_H_
