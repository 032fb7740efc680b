// `ebank rsa`: generates key pairs into the key record files, encrypts and
// decrypts short texts with them as the string API does (plain text of at
// most 100 characters up to U+00FF, lowercase hexadecimal cipher text), and
// makes random strings. Plain texts and keys stay in memory that is wiped
// when they are no longer needed.
#include <openssl/rand.h>

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "ebank/core/bstring.h"
#include "ebank/crypto/internal/hex_text.h"
#include "ebank/crypto/internal/random_generator.h"
#include "ebank/crypto/internal/rsa_blocks.h"
#include "ebank/crypto/internal/rsa_keys.h"
#include "ebank/crypto/internal/wiped.h"
#include "ebank/crypto/internal/wiped_array.h"
#include "ebank/crypto/internal/wiped_string.h"
#include "ebank/crypto/rsa_string.h"
#include "tools/ebank/command.h"
#include "tools/ebank/key_record_file.h"
#include "tools/ebank/output.h"
#include "tools/ebank/plain_text.h"
#include "tools/ebank/rsa_key_generator.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

using ovEBankCrypto::kMaxModulusBytes;
using ovEBankCrypto::RsaKeyPair;
using ovEBankCrypto::Wiped;
using ovEBankCrypto::WipedArray;

constexpr unsigned kMaxCipherBytes = 100;

struct RsaOptions {
  RsaOptions() = default;
  RsaOptions(const RsaOptions&) = delete;
  RsaOptions& operator=(const RsaOptions&) = delete;
  ~RsaOptions() { ovEBankCrypto::WipeString(text); }

  unsigned bits = 768;
  std::string prefix;
  std::string public_key;
  std::string private_key;
  std::string text;  // the plain text to encrypt, or the cipher text to decrypt
};

// Exactly one of --public-key and --private-key.
void AddKeyOptions(CLI::App& command, RsaOptions& options, const char* public_use,
                   const char* private_use) {
  CLI::Option* pub = command.add_option("--public-key", options.public_key, public_use);
  CLI::Option* priv = command.add_option("--private-key", options.private_key, private_use);
  pub->excludes(priv);
}

void RequireOneKey(const RsaOptions& options) {
  if (options.public_key.empty() == options.private_key.empty()) {
    throw ToolError("give either --public-key or --private-key", kExitUsage);
  }
}

int Generate(const RsaOptions& options) {
  Wiped<RsaKeyPair> pair;
  GenerateKeyPair(options.bits, *pair);
  WriteKeyRecord(options.prefix + ".pub", &pair->publicKey, sizeof pair->publicKey, false);
  WriteKeyRecord(options.prefix + ".key", &pair->privateKey, sizeof pair->privateKey, true);
  PrintField("public key (258 bytes)", options.prefix + ".pub");
  PrintField("private key (706 bytes)", options.prefix + ".key");
  PrintField("modulus", std::to_string(options.bits) + " bits");
  return 0;
}

// A generator seeded from OpenSSL's random source for the padding bytes.
void Seed(ovEBankCrypto::RandomState& random) {
  WipedArray<std::uint8_t, ovEBankCrypto::kRandomSeedBytes> seed;
  if (RAND_bytes(seed, ovEBankCrypto::kRandomSeedBytes) != 1) {
    throw ToolError("OpenSSL's random source failed");
  }
  ovEBankCrypto::randomInit(random);
  ovEBankCrypto::randomMix(random, seed, ovEBankCrypto::kRandomSeedBytes);
}

void Check(int status, const char* what) {
  if (status != 0) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(status));
    throw ToolError(std::string(what) + " failed (engine status " + code +
                    "): the text does not fit the key, or the key does not match");
  }
}

int Encrypt(const RsaOptions& options) {
  RequireOneKey(options);
  PlainText plain;
  plain.AssignUtf8(options.text);
  const std::uint8_t* input = plain.bytes();
  const unsigned length = plain.length();
  Wiped<RsaKeyPair> pair;
  WipedArray<std::uint8_t, kMaxModulusBytes> cipher;
  unsigned cipher_length = 0;
  if (!options.public_key.empty()) {
    ReadKeyRecord(options.public_key, &pair->publicKey, sizeof pair->publicKey);
    Wiped<ovEBankCrypto::RandomState> random;
    Seed(*random);
    Check(ovEBankCrypto::padAndEncryptPublic(cipher, &cipher_length, input, length, pair->publicKey,
                                             *random),
          "encryption");
  } else {
    ReadKeyRecord(options.private_key, &pair->privateKey, sizeof pair->privateKey);
    Check(ovEBankCrypto::padAndEncryptPrivate(cipher, &cipher_length, input, length,
                                              pair->privateKey),
          "encryption");
  }
  if (cipher_length > kMaxCipherBytes) throw ToolError("keys above 800 bits make too long texts");
  char hex[2 * kMaxModulusBytes + 1];
  ovEBankCrypto::EncodeHex(hex, cipher, cipher_length);
  std::puts(hex);
  return 0;
}

std::string CipherText(const std::string& text) {
  if (text.size() / 2 > kMaxCipherBytes || text.size() % 2 != 0) {
    throw ToolError("the cipher text must have an even number of at most 200 digits");
  }
  if (text.find_first_not_of("0123456789abcdef") != std::string::npos) {
    throw ToolError("the cipher text may hold only the digits 0-9 and a-f");
  }
  return text;
}

int Decrypt(const RsaOptions& options) {
  RequireOneKey(options);
  const std::string hex = CipherText(options.text);
  const auto length = static_cast<unsigned>(hex.size());
  WipedArray<std::uint8_t, kMaxCipherBytes> cipher;
  ovEBankCrypto::DecodeHex(cipher, hex.c_str(), length);
  Wiped<RsaKeyPair> pair;
  WipedArray<std::uint8_t, kMaxModulusBytes + 1> decrypted;
  unsigned decrypted_length = 0;
  if (!options.private_key.empty()) {
    ReadKeyRecord(options.private_key, &pair->privateKey, sizeof pair->privateKey);
    Check(ovEBankCrypto::decryptPrivateAndUnpad(decrypted, &decrypted_length, cipher, length / 2,
                                                pair->privateKey),
          "decryption");
  } else {
    ReadKeyRecord(options.public_key, &pair->publicKey, sizeof pair->publicKey);
    Check(ovEBankCrypto::decryptPublicAndUnpad(decrypted, &decrypted_length, cipher, length / 2,
                                               pair->publicKey),
          "decryption");
  }
  PlainText plain;
  plain.AssignBytes(decrypted, decrypted_length);
  plain.WriteLine();
  return 0;
}

int Random() {
  ddCOM::BString<wchar_t> text;
  ovEBankCrypto::GenerateRandomString(text);
  std::puts(WideToUtf8(static_cast<const wchar_t*>(text)).c_str());
  return 0;
}

}  // namespace

Command AddRsaCommand(CLI::App& app) {
  auto options = std::make_shared<RsaOptions>();
  CLI::App* command =
      app.add_subcommand("rsa", "Generate RSA key records, encrypt and decrypt, random strings");
  command->require_subcommand(1);

  CLI::App* keygen = command->add_subcommand(
      "keygen", "Generate a key pair into PREFIX.pub (258 bytes) and PREFIX.key (706 bytes)");
  keygen->add_option("prefix", options->prefix, "path and name of the two key files")->required();
  keygen
      ->add_option("-b,--bits", options->bits, "modulus length (the string API takes 800 at most)")
      ->check(CLI::Range(512u, 800u))
      ->capture_default_str();

  CLI::App* encrypt = command->add_subcommand(
      "encrypt", "Encrypt a text of at most 100 characters into lowercase hexadecimal");
  encrypt->add_option("text", options->text, "the plain text")->required();
  AddKeyOptions(*encrypt, *options, "key file: block type 02 with random padding",
                "key file: block type 01");

  CLI::App* decrypt = command->add_subcommand("decrypt", "Decrypt a hexadecimal cipher text");
  decrypt->add_option("cipher", options->text, "the cipher text")->required();
  AddKeyOptions(*decrypt, *options, "key file, for a cipher text of block type 01",
                "key file, for a cipher text of block type 02");

  CLI::App* random =
      command->add_subcommand("random",
                              "Print the library's random string: 32 lowercase hexadecimal digits "
                              "seeded from the clock (not for secrets)");

  return {command, [=] {
            if (keygen->parsed()) return Generate(*options);
            if (encrypt->parsed()) return Encrypt(*options);
            if (decrypt->parsed()) return Decrypt(*options);
            if (random->parsed()) return Random();
            throw ToolError("name an rsa command", kExitUsage);
          }};
}

}  // namespace ebank::tool
