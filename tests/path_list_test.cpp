#include "packaging/windows/path_list.h"

#include <gtest/gtest.h>

namespace qf::setup {
namespace {

const std::wstring kEntry = L"C:\\Users\\Li Wei\\AppData\\Local\\Programs\\Quillformer";

// What the setup adds, its uninstaller takes out, and the value is again
// what it was, character for character, however it looked and however long.
TEST(PathListTest, AddingAndRemovingTheEntryGivesBackTheValue) {
  std::wstring longValue;
  while (longValue.size() < 40000)
    longValue += L"C:\\Program Files\\Tool " + std::to_wstring(longValue.size()) + L"\\bin;";
  for (const std::wstring& original :
       {std::wstring(), std::wstring(L"%USERPROFILE%\\bin"), std::wstring(L"C:\\a;"),
        std::wstring(L";;C:\\a;;"), std::wstring(L"\"C:\\x;y\";%SystemRoot%"), longValue}) {
    const std::optional<std::wstring> added = WithEntry(original, kEntry);
    ASSERT_TRUE(added);
    EXPECT_TRUE(added->starts_with(original));
    EXPECT_TRUE(added->ends_with(kEntry));
    const std::optional<std::wstring> removed = WithoutEntry(*added, kEntry);
    ASSERT_TRUE(removed);
    EXPECT_EQ(*removed, original);
  }
}

// An entry counts as there whatever its letters' case, its quotes and a
// "\" at its end; a longer name that only starts alike is another entry.
TEST(PathListTest, AnEntryIsFoundByNameNotBySpelling) {
  const std::wstring other = L"C:\\Tools;" + kEntry + L"2;D:\\bin";
  EXPECT_FALSE(WithoutEntry(other, kEntry)) << "Quillformer2 is not Quillformer";
  for (const std::wstring& spelt :
       {std::wstring(L"c:\\users\\li wei\\appdata\\local\\programs\\quillformer"), kEntry + L"\\",
        L"\"" + kEntry + L"\""}) {
    const std::wstring value = L"C:\\Tools;" + spelt + L";D:\\bin";
    EXPECT_FALSE(WithEntry(value, kEntry)) << "the user had it already";
    EXPECT_EQ(WithoutEntry(value, kEntry), L"C:\\Tools;D:\\bin");
  }
  // Moved to the front by the user: its separator after it goes with it.
  EXPECT_EQ(WithoutEntry(kEntry + L";C:\\Tools", kEntry), L"C:\\Tools");
  EXPECT_EQ(WithoutEntry(kEntry, kEntry), L"");
}

// An entry that holds ";" is written in quotes, and found again so.
TEST(PathListTest, AnEntryWithASemicolonIsQuoted) {
  const std::wstring odd = L"D:\\a;b\\Quillformer";
  const std::optional<std::wstring> added = WithEntry(L"C:\\Tools", odd);
  ASSERT_TRUE(added);
  EXPECT_EQ(*added, L"C:\\Tools;\"D:\\a;b\\Quillformer\"");
  EXPECT_FALSE(WithoutEntry(*added, L"D:\\a"));
  EXPECT_EQ(WithoutEntry(*added, odd), L"C:\\Tools");
}

} // namespace
} // namespace qf::setup
