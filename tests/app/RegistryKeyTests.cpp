// RegistryKey against the real registry API, redirected into a sandbox.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "core/RegistryKey.h"
#include "support/RegistrySandbox.h"

namespace {

using app::RegistryKey;

constexpr wchar_t kTestKey[] = L"Software\\Korvelsoft\\VNTO9\\Tests";

class RegistryKeyTest : public test::SandboxedTest {};

TEST_F(RegistryKeyTest, OpenFailsOnMissingKeyAndRemembersTheResult) {
  RegistryKey key;
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, kTestKey));
  EXPECT_EQ(key.LastResult(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_TRUE(key.Close());  // nothing open is a successful close
}

TEST_F(RegistryKeyTest, CreateThenOpenForReading) {
  RegistryKey writer;
  ASSERT_TRUE(writer.Create(HKEY_CURRENT_USER, kTestKey));
  EXPECT_EQ(writer.LastResult(), ERROR_SUCCESS);
  ASSERT_TRUE(writer.WriteString(L"Name", L"Wert äöü"));
  RegistryKey reader;
  ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kTestKey));
  EXPECT_EQ(reader.ReadString(L"Name"), L"Wert äöü");
  EXPECT_EQ(reader.Path(), kTestKey);
  EXPECT_EQ(reader.Hive(), HKEY_CURRENT_USER);
}

TEST_F(RegistryKeyTest, ReadOnlyKeyRefusesWrites) {
  RegistryKey writer;
  ASSERT_TRUE(writer.Create(HKEY_CURRENT_USER, kTestKey));
  RegistryKey reader;
  ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kTestKey, reg::kRead));
  EXPECT_FALSE(reader.WriteString(L"x", L"y"));
  EXPECT_NE(reader.LastResult(), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, HiveZeroIsTheApplicationsOwnKey) {
  RegistryKey own;
  ASSERT_TRUE(own.Create(nullptr, L"Recent"));
  ASSERT_TRUE(own.WriteNumber(L"Count", 3));
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO8\\STARTDECK\\Recent", L"Count"),
            3u);
  EXPECT_EQ(own.Path(), L"Software\\Korvelsoft\\VNTO8\\STARTDECK\\Recent");
  EXPECT_EQ(own.Hive(), HKEY_CURRENT_USER);
}

TEST_F(RegistryKeyTest, ReadStringFallsBackForMissingAndForeignValues) {
  test::SetDword(HKEY_CURRENT_USER, kTestKey, L"Number", 7);
  const std::uint8_t odd[] = {'A', 0, 'B'};  // an odd byte count: one whole character and a half
  test::SetBinary(HKEY_CURRENT_USER, kTestKey, L"Odd", odd, sizeof(odd));
  RegistryKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kTestKey));
  EXPECT_EQ(key.ReadString(L"Missing", L"default"), L"default");
  EXPECT_EQ(key.ReadString(L"Number", L"default"), L"default");
  EXPECT_EQ(key.ReadString(L"Odd", L"default"), L"default");
}

// Text after a NUL (an installer that wrote a size too large) is read past as Windows programs do,
// and LastResult tells it, for the callers that must not trust such a value.
TEST_F(RegistryKeyTest, ReadStringTakesTextsUpToTheirFirstNulAndTellsOfTextAfterIt) {
  const struct {
    const char* what;
    std::vector<wchar_t> stored;  // the value's characters, exactly
    const wchar_t* expected;      // with the fallback "fallback"
    LSTATUS result;
  } cases[] = {
      {"terminated", {L'a', L'b', L'c', 0}, L"abc", ERROR_SUCCESS},
      {"unterminated", {L'a', L'b', L'c'}, L"abc", ERROR_SUCCESS},
      {"terminators repeated", {L'a', L'b', L'c', 0, 0, 0}, L"abc", ERROR_SUCCESS},
      {"empty", {}, L"", ERROR_SUCCESS},
      {"a terminator alone", {0}, L"", ERROR_SUCCESS},
      {"text after a NUL", {L'C', L':', L'\\', L'A', 0, L'h', L'i', L'd', 0}, L"C:\\A", ERROR_INVALID_DATA},
      {"text after terminators, unterminated", {L'a', 0, 0, L'b'}, L"a", ERROR_INVALID_DATA},
      {"a NUL first, then text", {0, L'x', 0}, L"", ERROR_INVALID_DATA},
  };
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const DWORD type : {DWORD{REG_SZ}, DWORD{REG_EXPAND_SZ}}) {
      ASSERT_EQ(
          ::RegSetValueExW(key.Handle(), L"Value", 0, type, reinterpret_cast<const BYTE*>(c.stored.data()),
                           static_cast<DWORD>(c.stored.size() * sizeof(wchar_t))),
          ERROR_SUCCESS);
      EXPECT_EQ(key.ReadString(L"Value", L"fallback"), c.expected);
      EXPECT_EQ(key.LastResult(), c.result);
    }
  }
  // A value with a tail is told apart from a missing one and from one of another type.
  EXPECT_EQ(key.ReadString(L"Missing", L"fallback"), L"fallback");
  EXPECT_EQ(key.LastResult(), ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(key.WriteNumber(L"Number", 5));
  EXPECT_EQ(key.ReadString(L"Number", L"fallback"), L"fallback");
  EXPECT_EQ(key.LastResult(), ERROR_DATATYPE_MISMATCH);
}

TEST_F(RegistryKeyTest, LongTextsRoundTrip) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  const std::wstring text(20000, L'я');
  ASSERT_TRUE(key.WriteString(L"Long", text));
  EXPECT_EQ(key.ReadString(L"Long"), text);
  EXPECT_EQ(key.ValueSize(L"Long"), (text.size() + 1) * sizeof(wchar_t));
}

struct NumberCase {
  const char* what;
  DWORD type;
  std::vector<std::uint8_t> bytes;
  DWORD expected;
};

TEST_F(RegistryKeyTest, ReadNumberByTypeAndSize) {
  const NumberCase cases[] = {
      {"dword", REG_DWORD, {0x78, 0x56, 0x34, 0x12}, 0x12345678},
      {"binary of 1 byte", REG_BINARY, {0x05}, 5},
      {"binary of 2 bytes is 16-bit little-endian", REG_BINARY, {0x34, 0x12}, 0x1234},
      {"binary of 3 bytes", REG_BINARY, {0x01, 0x02, 0x03}, 0x030201},
      {"binary of 4 bytes", REG_BINARY, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFF},
      {"binary of 5 bytes gives the default", REG_BINARY, {1, 2, 3, 4, 5}, 99},
      {"binary of 6 bytes gives the default", REG_BINARY, {1, 0, 0, 0, 0, 0}, 99},
      {"empty binary reads as 0", REG_BINARY, {}, 0},
      {"a short dword reads like binary", REG_DWORD, {0x02, 0x01}, 0x0102},
      {"qword gives the default", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 99},
      {"text gives the default", REG_SZ, {'1', 0, 0, 0}, 99},
  };
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  for (const NumberCase& c : cases) {
    ASSERT_EQ(::RegSetValueExW(key.Handle(), L"N", 0, c.type, c.bytes.empty() ? nullptr : c.bytes.data(),
                               static_cast<DWORD>(c.bytes.size())),
              ERROR_SUCCESS);
    EXPECT_EQ(key.ReadNumber(L"N", 99), c.expected) << c.what;
  }
  EXPECT_EQ(key.ReadNumber(L"Missing", 42), 42u);
}

TEST_F(RegistryKeyTest, WriteNumberAndBinaryStoreTheirTypes) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  ASSERT_TRUE(key.WriteNumber(L"D", 0xCAFE));
  const std::uint8_t six[] = {1, 2, 3, 4, 5, 6};
  ASSERT_TRUE(key.WriteBinary(L"B", six));
  ASSERT_TRUE(key.WriteBinary(L"Empty", {}));
  EXPECT_EQ(key.ValueType(L"D"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(key.ValueSize(L"D"), 4u);
  EXPECT_EQ(key.ValueType(L"B"), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(key.ValueSize(L"B"), 6u);
  EXPECT_TRUE(key.ValueExists(L"Empty"));
  EXPECT_EQ(key.ValueSize(L"Empty"), 0u);
  EXPECT_EQ(key.ValueType(L"Missing"), static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(key.ValueSize(L"Missing"), 0u);
  EXPECT_FALSE(key.ValueExists(L"Missing"));
  EXPECT_TRUE(key.DeleteValue(L"D"));
  EXPECT_FALSE(key.ValueExists(L"D"));
  EXPECT_FALSE(key.DeleteValue(L"D"));
  EXPECT_EQ(key.LastResult(), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, EnumeratesEverySubkeyAndValueOnce) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  const std::set<std::wstring> subkeys = {L"9", L"10", L"Ünïcode", std::wstring(255, L'k')};
  for (const std::wstring& name : subkeys) ASSERT_TRUE(key.OpenChild(name, true, reg::kWrite).has_value());
  const std::set<std::wstring> values = {L"", L"a", L"Zeta", std::wstring(3000, L'v')};
  for (const std::wstring& name : values) ASSERT_TRUE(key.WriteString(name, L"x"));

  std::set<std::wstring> seen;
  std::wstring name;
  DWORD index = 0;
  while (key.NextSubkey(index, name)) EXPECT_TRUE(seen.insert(name).second);
  EXPECT_EQ(index, subkeys.size());
  EXPECT_EQ(seen, subkeys);
  EXPECT_EQ(key.LastResult(), ERROR_NO_MORE_ITEMS);

  seen.clear();
  index = 0;
  while (key.NextValue(index, name)) EXPECT_TRUE(seen.insert(name).second);
  EXPECT_EQ(seen, values);
}

TEST_F(RegistryKeyTest, OpenChildAndParent) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  EXPECT_FALSE(key.OpenChild(L"Absent", false).has_value());
  std::optional<RegistryKey> child = key.OpenChild(L"Child", true, reg::kWrite);
  ASSERT_TRUE(child.has_value());
  EXPECT_EQ(child->Path(), std::wstring(kTestKey) + L"\\Child");
  ASSERT_TRUE(child->WriteString(L"v", L"1"));
  std::optional<RegistryKey> parent = child->OpenParent(reg::kWrite);
  ASSERT_TRUE(parent.has_value());
  EXPECT_EQ(parent->Path(), kTestKey);
  EXPECT_TRUE(parent->WriteString(L"v", L"2"));
  RegistryKey top;
  ASSERT_TRUE(top.Create(HKEY_CURRENT_USER, L"TopLevel"));
  EXPECT_FALSE(top.OpenParent().has_value());  // no backslash, no parent
  RegistryKey closed;
  EXPECT_FALSE(closed.OpenChild(L"x", true).has_value());
}

// Reads ask no more than read access: a standard user gets that where write access is refused.
TEST_F(RegistryKeyTest, ChildAndParentOpenedForReadingRefuseWrites) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  ASSERT_TRUE(key.WriteString(L"v", L"parent"));
  ASSERT_TRUE(key.OpenChild(L"Child", true, reg::kWrite).has_value());

  std::optional<RegistryKey> child = key.OpenChild(L"Child", false);
  ASSERT_TRUE(child.has_value());
  EXPECT_FALSE(child->WriteString(L"v", L"x"));
  EXPECT_EQ(child->LastResult(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(child->WriteNumber(L"n", 1));
  std::optional<RegistryKey> parent = child->OpenParent();
  ASSERT_TRUE(parent.has_value());
  EXPECT_EQ(parent->ReadString(L"v"), L"parent");
  EXPECT_FALSE(parent->WriteString(L"v", L"x"));
  EXPECT_EQ(parent->ReadString(L"v"), L"parent");
}

TEST_F(RegistryKeyTest, DeleteTreeRemovesEverythingBelow) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  for (const wchar_t* path : {L"Tree\\A\\A1\\A11", L"Tree\\A\\A2", L"Tree\\B", L"Tree\\C\\C1"}) {
    std::optional<RegistryKey> leaf = key.OpenChild(path, true, reg::kWrite);
    ASSERT_TRUE(leaf.has_value());
    ASSERT_TRUE(leaf->WriteString(L"v", path));
  }
  ASSERT_TRUE(key.OpenChild(L"Sibling", true, reg::kWrite).has_value());
  EXPECT_TRUE(key.DeleteTree(L"Tree", true));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\Tree"));
  EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\Sibling"));
  EXPECT_FALSE(key.DeleteTree(L"Tree", true));  // already gone
}

TEST_F(RegistryKeyTest, DeleteTreeWithoutRecursionLeavesAKeyWithChildren) {
  RegistryKey key;
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
  ASSERT_TRUE(key.OpenChild(L"Tree\\Child", true, reg::kWrite).has_value());
  EXPECT_FALSE(key.DeleteTree(L"Tree", false));
  EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\Tree\\Child"));
  EXPECT_TRUE(key.DeleteTree(L"Tree\\Child", false));
  EXPECT_TRUE(key.DeleteTree(L"Tree", false));
}

TEST_F(RegistryKeyTest, CopyValueKeepsTypeAndBytes) {
  RegistryKey source, target;
  ASSERT_TRUE(source.Create(HKEY_LOCAL_MACHINE, L"Software\\Source"));
  ASSERT_TRUE(target.Create(HKEY_CURRENT_USER, L"Software\\Target"));
  const std::uint8_t bytes[] = {9, 8, 7};
  ASSERT_TRUE(source.WriteBinary(L"Bin", bytes));
  ASSERT_TRUE(source.WriteString(L"Text", L"copied"));
  ASSERT_TRUE(target.CopyValue(source, L"Bin"));
  ASSERT_TRUE(target.CopyValue(source, L"Text"));
  EXPECT_EQ(target.ValueType(L"Bin"), static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(target.ReadNumber(L"Bin", 0), 0x070809u);
  EXPECT_EQ(target.ReadString(L"Text"), L"copied");
  EXPECT_FALSE(target.CopyValue(source, L"Missing"));
  EXPECT_FALSE(target.ValueExists(L"Missing"));
}

TEST_F(RegistryKeyTest, OperationsOnAClosedKeyFailQuietly) {
  RegistryKey key;
  std::wstring name;
  DWORD index = 0;
  EXPECT_EQ(key.ReadString(L"x", L"d"), L"d");
  EXPECT_EQ(key.ReadNumber(L"x", 5), 5u);
  EXPECT_FALSE(key.WriteString(L"x", L"y"));
  EXPECT_FALSE(key.NextSubkey(index, name));
  EXPECT_FALSE(key.NextValue(index, name));
  EXPECT_FALSE(key.DeleteTree(L"x", true));
}

TEST_F(RegistryKeyTest, MovedKeyIsClosedOnce) {
  RegistryKey first;
  ASSERT_TRUE(first.Create(HKEY_CURRENT_USER, kTestKey));
  const HKEY handle = first.Handle();
  RegistryKey second = std::move(first);
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(second.Handle(), handle);
  EXPECT_TRUE(second.Close());
  EXPECT_TRUE(second.Close());
}

}  // namespace
