// Reading a KONTO element into a KontoRecord and writing records as a KONTEN
// document, in the account XML format the database wrapper exchanges.
#ifndef EBANK_SERVERS_TXNDB_KONTO_XML_H_
#define EBANK_SERVERS_TXNDB_KONTO_XML_H_

#include <string>
#include <string_view>

#include "servers/txndb/konto_record.h"

namespace ebank::txndb {

// Reads the KONTO root of `utf8_xml`, or the first KONTO of a KONTEN root.
// Missing elements give empty texts and 0 (an empty currency gives EUR);
// numbers take their leading digits. Returns false with `error` set when the
// text is not well-formed or has neither root.
bool ReadKonto(std::string_view utf8_xml, KontoRecord& record, std::string& error);

// Builds a KONTEN document, one KONTO per Add, in UTF-8.
class KontenWriter {
 public:
  KontenWriter() : xml_("<KONTEN>") {}
  void Add(const KontoRecord& record);
  // The finished document; the writer is spent afterwards.
  std::string Finish() &&;

 private:
  std::string xml_;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_KONTO_XML_H_
