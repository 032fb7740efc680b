#include "servers/txndb/connect_request.h"

#include <gtest/gtest.h>

namespace ebank::txndb {
namespace {

TEST(ConnectRequestTest, ReadsTheValuesLiterallyBetweenTheirTags) {
  const auto request = ParseConnectRequest(
      "<CONNECT><ODBC><DSN>Buchhaltung</DSN><UID>anna</UID><PWD>p&a<ss>'\"</PWD></ODBC>"
      "</CONNECT>");
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->dsn, "Buchhaltung");
  EXPECT_EQ(request->uid, "anna");
  EXPECT_EQ(request->pwd, "p&a<ss>'\"");

  const auto sparse = ParseConnectRequest("<CONNECT><ODBC><UID/><DSN>x</DSN></ODBC></CONNECT>");
  ASSERT_TRUE(sparse.has_value());
  EXPECT_EQ(sparse->dsn, "x");
  EXPECT_EQ(sparse->uid, "");
  EXPECT_EQ(sparse->pwd, "");

  for (const char* bad : {"", "<CONNECT></CONNECT>", "<ODBC><DSN>x</DSN></ODBC>",
                          "</CONNECT><CONNECT><ODBC></ODBC>", "<CONNECT><ODBC><DSN>x</DSN>"}) {
    EXPECT_FALSE(ParseConnectRequest(bad).has_value()) << bad;
  }
}

TEST(ConnectRequestTest, BuildsConnectionStringsForNamedAndDsnLessSources) {
  EXPECT_EQ(ConnectionString({"Konten", "anna", "geheim"}), "DSN=Konten;UID=anna;PWD=geheim");
  EXPECT_EQ(ConnectionString({"Konten", "", ""}), "DSN=Konten");
  EXPECT_EQ(ConnectionString({"Driver=SQLite3;Database=/tmp/a.db", "", ""}),
            "Driver=SQLite3;Database=/tmp/a.db");
  EXPECT_EQ(ConnectionString({"Driver=X;Server=h;", "u", ""}), "Driver=X;Server=h;UID=u");
  // Separators and outer blanks would split or trim a value: it goes in braces.
  EXPECT_EQ(ConnectionString({"Konten", "a;b", "x}y{ "}), "DSN=Konten;UID={a;b};PWD={x}}y{ }");
}

}  // namespace
}  // namespace ebank::txndb
