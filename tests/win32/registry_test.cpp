#include "platform/win32/win32_registry.h"

#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include "platform/key_tree.h"

extern "C" NTSTATUS NTAPI NtCreateKey(PHANDLE key, ACCESS_MASK access,
                                      POBJECT_ATTRIBUTES attributes, ULONG title_index,
                                      PUNICODE_STRING class_name, ULONG options,
                                      PULONG disposition);
extern "C" NTSTATUS NTAPI NtSetValueKey(HANDLE key, PUNICODE_STRING name, ULONG title_index,
                                        ULONG type, PVOID data, ULONG size);

namespace qb::win32 {
namespace {

using platform::KeyAccess;
using platform::RegistryRoot;
using platform::RegistryStatus;

constexpr wchar_t kBase[] = L"Software\\QbWin32Test";

UNICODE_STRING Counted(const std::u16string& name) {
  UNICODE_STRING counted{};
  counted.Buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(name.data()));
  counted.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  counted.MaximumLength = counted.Length;
  return counted;
}

// Makes names as the programs that hide do: with the native, counted calls.
HANDLE CreateCounted(HANDLE parent, const std::u16string& name) {
  UNICODE_STRING counted = Counted(name);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &counted, OBJ_CASE_INSENSITIVE, parent, nullptr);
  HANDLE key = nullptr;
  EXPECT_TRUE(NT_SUCCESS(::NtCreateKey(&key, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr)));
  return key;
}

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kBase, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &base_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegistryStatus status;
    if (auto parent = registry_.Open(RegistryRoot::CurrentUser, platform::RegistryView::k64,
                                     u"Software", KeyAccess::Read, status)) {
      platform::DeleteKeyTree(*parent, u"QbWin32Test");
    }
    ::RegCloseKey(base_);
  }

  std::unique_ptr<platform::OpenRegistryKey> OpenBase() {
    RegistryStatus status;
    return registry_.Open(RegistryRoot::CurrentUser, platform::RegistryView::k64,
                          u"Software\\QbWin32Test", KeyAccess::ReadWrite, status);
  }

  HKEY base_ = nullptr;
  Win32Registry registry_;
};

const std::u16string kNulName(u"ab\0cd", 5);

TEST_F(Win32RegistryTest, NamesWithANulAreListedOpenedReadAndDeletedByTheirWholeName) {
  HANDLE hidden = CreateCounted(base_, kNulName);
  ::CloseHandle(CreateCounted(hidden, u"inner"));
  std::u16string value_name(u"v\0w", 3);
  UNICODE_STRING counted = Counted(value_name);
  DWORD number = 42;
  ASSERT_TRUE(NT_SUCCESS(::NtSetValueKey(hidden, &counted, 0, REG_DWORD, &number, 4)));
  ::CloseHandle(hidden);
  // The name cut at its NUL is another key, which must stay.
  ::CloseHandle(CreateCounted(base_, u"ab"));

  auto base = OpenBase();
  ASSERT_TRUE(base);
  const std::vector<std::u16string> names = base->SubkeyNames();
  EXPECT_EQ(names.size(), 2u);
  EXPECT_NE(std::find(names.begin(), names.end(), kNulName), names.end());

  RegistryStatus status;
  auto key = base->OpenSubkey(kNulName, KeyAccess::Read, status);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->SubkeyNames(), std::vector<std::u16string>{u"inner"});
  const std::vector<platform::NamedValue> values = key->Values();
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, value_name);
  platform::RegistryValue value;
  ASSERT_TRUE(key->Read(value_name, value).ok());
  EXPECT_EQ(platform::DwordValueNumber(value), 42u);
  key.reset();

  // A path whose names hold a NUL is opened name by name.
  EXPECT_TRUE(registry_.Open(RegistryRoot::CurrentUser, platform::RegistryView::k64,
                             u"Software\\QbWin32Test\\" + kNulName + u"\\inner", KeyAccess::Read,
                             status));

  EXPECT_TRUE(platform::DeleteKeyTree(*base, kNulName).ok());
  EXPECT_EQ(base->SubkeyNames(), std::vector<std::u16string>{u"ab"});
}

TEST_F(Win32RegistryTest, LoneSurrogatesAndLongValuesRoundTrip) {
  auto base = OpenBase();
  ASSERT_TRUE(base);
  const std::u16string name = u"lone \xD800 name";
  const platform::RegistryValue big{platform::value_type::kBinary,
                                    std::vector<std::uint8_t>(100000, 0x5A)};
  ASSERT_TRUE(base->Write(name, big).ok());
  RegistryStatus status;
  ASSERT_TRUE(base->OpenSubkey(u"x", KeyAccess::Read, status) == nullptr);
  const std::vector<platform::NamedValue> values = base->Values();
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, name);
  EXPECT_EQ(values[0].value, big);
  EXPECT_TRUE(base->DeleteValue(name).ok());
  EXPECT_TRUE(base->Values().empty());
}

TEST_F(Win32RegistryTest, AnEmptyNameNeverOpensTheKeyItself) {
  auto base = OpenBase();
  RegistryStatus status;
  EXPECT_FALSE(base->OpenSubkey(u"", KeyAccess::Read, status));
  EXPECT_EQ(status.kind, platform::RegistryStatusKind::NotFound);
  EXPECT_FALSE(base->DeleteSubkey(u"").ok());
}

}  // namespace
}  // namespace qb::win32
