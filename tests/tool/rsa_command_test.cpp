// ebank rsa: key records from OpenSSL key pairs, encryption and decryption in
// both directions, random strings, and refused input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/tool/tool_runner.h"

namespace ebank::tool_test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

class RsaCommandTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    keys_ = new ScratchDirectory;
    const ToolResult result = RunTool(*keys_, {"rsa", "keygen", "key", "--bits", "512"});
    ASSERT_EQ(result.exit_code, 0) << result.err;
  }
  static void TearDownTestSuite() { delete keys_; }

  static std::string Key(const char* name) { return keys_->path() + "/" + name; }
  // The single output line of a successful run.
  static std::string Line(const std::vector<std::string>& arguments) {
    const ToolResult result = RunTool(*keys_, arguments);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_FALSE(result.out.empty());
    return result.out.substr(0, result.out.find('\n'));
  }

  static ScratchDirectory* keys_;
};

ScratchDirectory* RsaCommandTest::keys_ = nullptr;

TEST_F(RsaCommandTest, KeygenWritesRecordsOfTheFixedSizes) {
  EXPECT_EQ(std::filesystem::file_size(Key("key.pub")), 258u);
  EXPECT_EQ(std::filesystem::file_size(Key("key.key")), 706u);
  const auto permissions = std::filesystem::status(Key("key.key")).permissions();
  EXPECT_EQ(permissions & std::filesystem::perms::others_read, std::filesystem::perms::none);
  EXPECT_EQ(RunTool(*keys_, {"rsa", "keygen", "small", "--bits", "256"}).exit_code, 2);
}

TEST_F(RsaCommandTest, PublicEncryptionRoundTripsLatin1Text) {
  const std::string text =
      "Gr\xc3\xbc\xc3\x9f"
      "e an 1234!";
  const std::string cipher = Line({"rsa", "encrypt", "--public-key", Key("key.pub"), text});
  EXPECT_THAT(cipher, MatchesRegex("[0-9a-f]{128}"));
  // Random padding: the same text encrypts differently.
  EXPECT_NE(cipher, Line({"rsa", "encrypt", "--public-key", Key("key.pub"), text}));
  // The plain text is written past the stdio buffer: exactly the text and a
  // line feed.
  const ToolResult decrypted =
      RunTool(*keys_, {"rsa", "decrypt", "--private-key", Key("key.key"), cipher});
  EXPECT_EQ(decrypted.exit_code, 0) << decrypted.err;
  EXPECT_EQ(decrypted.out, text + "\n");
}

TEST_F(RsaCommandTest, PrivateEncryptionIsDeterministicAndRecoveredWithThePublicKey) {
  const std::string text(53, 'x');  // the longest text a 512-bit key takes
  const std::string cipher = Line({"rsa", "encrypt", "--private-key", Key("key.key"), text});
  EXPECT_EQ(cipher, Line({"rsa", "encrypt", "--private-key", Key("key.key"), text}));
  EXPECT_EQ(Line({"rsa", "decrypt", "--public-key", Key("key.pub"), cipher}), text);
}

TEST_F(RsaCommandTest, RefusesWhatTheKeysCannotTake) {
  const std::string cipher = Line({"rsa", "encrypt", "--public-key", Key("key.pub"), "abc"});
  std::string upper = cipher;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string short_key = keys_->Write("short.pub", std::string(257, '\x02'));
  const std::vector<std::vector<std::string>> refused = {
      {"rsa", "encrypt", "--public-key", Key("key.pub"), std::string(54, 'x')},
      {"rsa", "encrypt", "--public-key", Key("key.pub"), std::string(101, 'x')},
      {"rsa", "encrypt", "--public-key", Key("key.pub"), "\xe2\x82\xac"},
      {"rsa", "encrypt", "--public-key", short_key, "abc"},
      {"rsa", "encrypt", "--public-key", Key("missing.pub"), "abc"},
      {"rsa", "decrypt", "--public-key", Key("key.pub"), cipher},
      {"rsa", "decrypt", "--private-key", Key("key.key"), upper},
      {"rsa", "decrypt", "--private-key", Key("key.key"), cipher + "0"},
      {"rsa", "decrypt", "--private-key", Key("key.key"), std::string(202, 'a')},
      {"rsa", "decrypt", "--private-key", Key("key.pub"), cipher},
  };
  for (const std::vector<std::string>& arguments : refused) {
    const ToolResult result = RunTool(*keys_, arguments);
    EXPECT_EQ(result.exit_code, 1) << arguments[3] << " " << arguments[4];
    EXPECT_THAT(result.err, HasSubstr("ebank: ")) << arguments[4];
    EXPECT_EQ(result.out, "") << arguments[4];
  }
  EXPECT_EQ(RunTool(*keys_, {"rsa", "encrypt", "abc"}).exit_code, 2);
}

// The engine encrypts the empty text into a block of padding alone, which
// decryption refuses: the tool refuses to make such a cipher text.
TEST_F(RsaCommandTest, RefusesTheEmptyText) {
  for (const auto& [option, file] :
       {std::pair{"--public-key", "key.pub"}, {"--private-key", "key.key"}}) {
    const ToolResult result = RunTool(*keys_, {"rsa", "encrypt", option, Key(file), ""});
    EXPECT_EQ(result.exit_code, 1) << option;
    EXPECT_EQ(result.err,
              "ebank: the text is empty: decryption refuses the cipher text of an empty text\n");
    EXPECT_EQ(result.out, "") << option;
  }
  EXPECT_EQ(RunTool(*keys_, {"rsa", "encrypt", "--public-key", Key("key.pub"), "--private-key",
                             Key("key.key"), "abc"})
                .exit_code,
            2);
}

// The library seeds its random strings from the clock, so two processes in the
// same second may print the same string: only the form is checked.
TEST_F(RsaCommandTest, RandomPrintsThirtyTwoHexadecimalDigits) {
  const ToolResult result = RunTool(*keys_, {"rsa", "random"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_THAT(result.out, MatchesRegex("[0-9a-f]{32}\n"));
}

}  // namespace
}  // namespace ebank::tool_test
