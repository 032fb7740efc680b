// Writes the key records of the string tests: for every key size a public
// record NAME.pub (258 bytes) and a private record NAME.key (706 bytes) of a
// fresh OpenSSL key pair, and records cut one byte short.
//
// Run once by hand: make_key_records <directory>. The records are committed,
// since the test program carries them as resources from build time on.
#include <cstdio>
#include <fstream>
#include <string>

#include "ebank/crypto/testing/openssl_key.h"

namespace {

void Write(const std::string& path, const void* bytes, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
    return 2;
  }
  const std::string directory = argv[1];
  for (unsigned bits : {512u, 768u, 800u, 1024u}) {
    const ovEBankCrypto::testing::OpenSslKey key(bits);
    const std::string name = directory + "/key" + std::to_string(bits);
    Write(name + ".pub", &key.PublicRecord(), sizeof key.PublicRecord());
    Write(name + ".key", &key.PrivateRecord(), sizeof key.PrivateRecord());
    if (bits == 512) {
      Write(directory + "/short.pub", &key.PublicRecord(), sizeof key.PublicRecord() - 1);
      Write(directory + "/short.key", &key.PrivateRecord(), sizeof key.PrivateRecord() - 1);
    }
  }
  return 0;
}
