// advapi32: the registry over the machine's "registry", keys named by their full path.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/api/wzc_state.h"
#include "platform/standin/machine/machine.h"
#include "platform/standin/machine/trace.h"
#include "platform/standin/text/ascii.h"
#include "platform/standin/text/unicode.h"

struct HKEY__ {
  std::string path;  // as the machine file spells it
  REGSAM access;
};

namespace standin {

static std::set<HKEY> openKeys;

void ResetRegistry() {
  for (HKEY key : openKeys) delete key;
  openKeys.clear();
}

template <typename Object>
static auto FindMember(Object& object, const std::string& name) -> decltype(&object.begin().value()) {
  if (!object.is_object()) return nullptr;
  for (auto member = object.begin(); member != object.end(); ++member) {
    if (SameNameIgnoringCase(member.key(), name)) return &member.value();
  }
  return nullptr;
}

static std::string Text(LPCWSTR text) {
  return text ? Utf16ToUtf8(Utf16Text(text)) : std::string();
}

static bool IsOpenKey(HKEY key) {
  return openKeys.count(key) != 0;
}

// The machine check has admitted only whole pairs of hex digits.
static std::vector<BYTE> HexBytes(const std::string& hex) {
  std::string bytes;
  DecodeHex(hex, bytes);
  return std::vector<BYTE>(bytes.begin(), bytes.end());
}

static std::string ToHex(const BYTE* data, DWORD size) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (DWORD i = 0; i < size; ++i) {
    hex.push_back(digits[data[i] >> 4]);
    hex.push_back(digits[data[i] & 15]);
  }
  return hex;
}

// The value's type and its bytes as the platform hands them out.
static DWORD EncodeValue(const Json& value, std::vector<BYTE>& bytes) {
  const std::string type = StringMember(value, "type");
  if (type == "REG_DWORD") {
    if (MemberOrNull(value, "data").is_string()) {  // a size other than 4, kept as given
      bytes = HexBytes(StringMember(value, "data"));
      return REG_DWORD;
    }
    const DWORD number = NumberMember(value, "data");
    bytes.resize(4);
    memcpy(bytes.data(), &number, 4);
    return REG_DWORD;
  }
  if (type == "REG_BINARY") {
    bytes = HexBytes(StringMember(value, "data"));
    return REG_BINARY;
  }
  std::u16string text = Utf8ToUtf16(StringMember(value, "data"));
  text.push_back(0);
  bytes.resize(text.size() * 2);
  memcpy(bytes.data(), text.data(), bytes.size());
  return REG_SZ;
}

static bool DecodeValue(DWORD type, const BYTE* data, DWORD size, Json& value) {
  value = Json::object();
  if (type == REG_DWORD) {
    if (data == nullptr && size != 0) return false;
    value["type"] = "REG_DWORD";
    if (size == 4) {
      DWORD number = 0;
      memcpy(&number, data, 4);
      value["data"] = number;
    } else {
      value["data"] = ToHex(data, size);  // the platform stores any size as given
    }
  } else if (type == REG_BINARY) {
    if (data == nullptr && size != 0) return false;
    value["type"] = "REG_BINARY";
    value["data"] = ToHex(data, size);
  } else if (type == REG_SZ) {
    if (data == nullptr || size % 2 != 0) return false;
    std::u16string text(size / 2, u'\0');
    memcpy(&text[0], data, size);
    while (!text.empty() && text.back() == 0) text.pop_back();
    value["type"] = "REG_SZ";
    value["data"] = Utf16ToUtf8(text);
  } else {
    return false;
  }
  return true;
}

bool WzcManagesInterface(const GUID& guid) {
  static const DWORD kManagedBits = 0x04008000;
  const Json* machine = Machine();
  if (machine == nullptr) return false;
  const Json* values =
      FindMember(MemberOrNull(*machine, "registry"),
                 "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" + CanonicalGuid(guid));
  const Json* value = values ? FindMember(*values, "ControlFlags") : nullptr;
  if (value == nullptr) return false;
  std::vector<BYTE> bytes;
  DWORD flags = 0;
  if (EncodeValue(*value, bytes) != REG_DWORD || bytes.size() != sizeof flags) return false;
  memcpy(&flags, bytes.data(), sizeof flags);
  return (flags & kManagedBits) == kManagedBits;
}

static LSTATUS OpenKey(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result, std::string& path) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (root != HKEY_LOCAL_MACHINE) return ERROR_INVALID_HANDLE;
  if (options != 0) return ERROR_INVALID_PARAMETER;
  path = "HKEY_LOCAL_MACHINE\\" + Text(subKey);
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  const std::string stored = StoredMemberName(MemberOrNull(*machine, "registry"), path);
  if (stored.empty()) return ERROR_FILE_NOT_FOUND;
  path = stored;
  HKEY key = new HKEY__{stored, access};
  openKeys.insert(key);
  *result = key;
  return ERROR_SUCCESS;
}

static LSTATUS QueryValue(HKEY key, const std::string& name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD size) {
  if (!IsOpenKey(key)) return ERROR_INVALID_HANDLE;
  if (reserved != nullptr || (data != nullptr && size == nullptr)) return ERROR_INVALID_PARAMETER;
  if ((key->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  const Json* values = FindMember(MemberOrNull(*machine, "registry"), key->path);
  if (values == nullptr) return ERROR_KEY_DELETED;
  const Json* value = FindMember(*values, name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  std::vector<BYTE> bytes;
  const DWORD valueType = EncodeValue(*value, bytes);
  if (type != nullptr) *type = valueType;
  if (size == nullptr) return ERROR_SUCCESS;
  const DWORD room = *size;
  *size = static_cast<DWORD>(bytes.size());
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < bytes.size()) return ERROR_MORE_DATA;
  if (!bytes.empty()) memcpy(data, bytes.data(), bytes.size());
  return ERROR_SUCCESS;
}

static LSTATUS SetValue(HKEY key, const std::string& name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  if (!IsOpenKey(key)) return ERROR_INVALID_HANDLE;
  if (reserved != 0) return ERROR_INVALID_PARAMETER;
  if ((key->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  Json value;
  if (!DecodeValue(type, data, size, value)) return ERROR_INVALID_PARAMETER;
  return static_cast<LSTATUS>(ChangeMachine([&](Json& machine) -> DWORD {
    Json* values =
        machine.is_object() && machine.contains("registry") ? FindMember(machine["registry"], key->path) : nullptr;
    if (values == nullptr) return ERROR_KEY_DELETED;
    Json* existing = FindMember(*values, name);
    if (existing != nullptr) *existing = value;
    else (*values)[name] = value;
    return 0;
  }));
}

static const char* TypeName(DWORD type) {
  switch (type) {
    case REG_DWORD: return "REG_DWORD";
    case REG_BINARY: return "REG_BINARY";
    case REG_SZ: return "REG_SZ";
    default: return "REG_NONE";
  }
}

static std::string KeyName(HKEY key) {
  return IsOpenKey(key) ? key->path : "(invalid)";
}

}  // namespace standin

using namespace standin;

extern "C" LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                        PHKEY phkResult) {
  std::string path;
  const LSTATUS result = OpenKey(hKey, lpSubKey, ulOptions, samDesired, phkResult, path);
  Trace("RegOpenKeyExW " + path + " " + Hex32(samDesired) + " -> " + std::to_string(result));
  return result;
}

extern "C" LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                           LPBYTE lpData, LPDWORD lpcbData) {
  DWORD type = REG_NONE;
  const LSTATUS result = QueryValue(hKey, Text(lpValueName), lpReserved, &type, lpData, lpcbData);
  if (lpType != nullptr && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *lpType = type;
  std::string line = "RegQueryValueExW " + KeyName(hKey) + " " + Text(lpValueName) + " -> " + std::to_string(result);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    line += std::string(" ") + TypeName(type) + " " + (lpcbData ? std::to_string(*lpcbData) : "-");
    if (result == ERROR_SUCCESS && type == REG_DWORD && lpData != nullptr && *lpcbData == 4) {
      DWORD number = 0;
      memcpy(&number, lpData, 4);
      line += " " + Hex32(number);
    }
  }
  Trace(line);
  return result;
}

extern "C" LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                                         const BYTE* lpData, DWORD cbData) {
  const LSTATUS result = SetValue(hKey, Text(lpValueName), Reserved, dwType, lpData, cbData);
  std::string shown = std::to_string(cbData) + " bytes";
  if (dwType == REG_DWORD && cbData == 4 && lpData != nullptr) {
    DWORD number = 0;
    memcpy(&number, lpData, 4);
    shown = Hex32(number);
  }
  Trace("RegSetValueExW " + KeyName(hKey) + " " + Text(lpValueName) + " " + TypeName(dwType) + " " + shown + " -> " +
        std::to_string(result));
  return result;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  const std::string name = KeyName(hKey);
  LSTATUS result = ERROR_INVALID_HANDLE;
  if (openKeys.erase(hKey) != 0) {
    delete hKey;
    result = ERROR_SUCCESS;
  }
  Trace("RegCloseKey " + name + " -> " + std::to_string(result));
  return result;
}
