// path_entry: adds one entry to the Path of the user's or the machine's
// environment, or takes it out again, for the setup program (setup.nsi),
// which cannot hold a Path longer than its strings (1024 characters).
//
//   path_entry add|remove user|machine ENTRY
//
// Exit status: 0 changed, 1 nothing to change (the entry was there already,
// or is not there), 2 failed. The value keeps its type (REG_EXPAND_SZ or
// REG_SZ) and every other character; a Path that add creates is
// REG_EXPAND_SZ, and one that remove leaves empty is deleted. Running
// programs are told the environment changed (WM_SETTINGCHANGE).

#include "packaging/windows/path_list.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace {

constexpr int kChanged = 0;
constexpr int kUnchanged = 1;
constexpr int kFailed = 2;

struct Value {
  DWORD Type = REG_EXPAND_SZ;
  std::wstring Text;
};

/// The Path value of `key`: nullopt when there is none; throws on failure.
std::optional<Value> ReadPath(HKEY key) {
  DWORD type = 0;
  DWORD bytes = 0;
  LSTATUS status = RegQueryValueExW(key, L"Path", nullptr, &type, nullptr, &bytes);
  if (status == ERROR_FILE_NOT_FOUND)
    return std::nullopt;
  for (;;) {
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
      throw status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
      throw LSTATUS{ERROR_INVALID_DATA};
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
    status = RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                              &bytes);
    if (status == ERROR_SUCCESS) {
      std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
      // The terminating NUL is the registry's, not the value's.
      while (!text.empty() && text.back() == L'\0')
        text.pop_back();
      return Value{type, text};
    }
  }
}

void WritePath(HKEY key, const Value& value) {
  LSTATUS status = ERROR_SUCCESS;
  if (value.Text.empty()) {
    status = RegDeleteValueW(key, L"Path");
  } else {
    const auto bytes = static_cast<DWORD>((value.Text.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key, L"Path", 0, value.Type,
                            reinterpret_cast<const BYTE*>(value.Text.c_str()), bytes);
  }
  if (status != ERROR_SUCCESS)
    throw status;
}

int Run(bool add, bool machine, std::wstring_view entry) {
  HKEY key = nullptr;
  const LSTATUS opened =
      machine ? RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                              L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                              0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key)
              : RegCreateKeyExW(HKEY_CURRENT_USER, L"Environment", 0, nullptr, 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (opened != ERROR_SUCCESS)
    return kFailed;
  int result = kFailed;
  try {
    Value value = ReadPath(key).value_or(Value{});
    const std::optional<std::wstring> changed =
        add ? qf::setup::WithEntry(value.Text, entry) : qf::setup::WithoutEntry(value.Text, entry);
    result = kUnchanged;
    if (changed) {
      value.Text = *changed;
      WritePath(key, value);
      result = kChanged;
    }
  } catch (LSTATUS) {
    result = kFailed;
  }
  RegCloseKey(key);
  if (result == kChanged) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG, 5000, &ignored);
  }
  return result;
}

} // namespace

// The program's entry with UTF-16 arguments (-municode).
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  if (argc != 4)
    return kFailed;
  const std::wstring_view action = argv[1];
  const std::wstring_view scope = argv[2];
  const std::wstring_view entry = argv[3];
  if ((action != L"add" && action != L"remove") || (scope != L"user" && scope != L"machine") ||
      entry.empty())
    return kFailed;
  return Run(action == L"add", scope == L"machine", entry);
}
