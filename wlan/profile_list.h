#pragma once

#include <string>

#include "platform/platform.h"

// The stored profiles of one interface, or null with why they can't be had in error (a call
// that succeeds without a list gives ERROR_INVALID_DATA). A list returned here is released
// with WlanFreeMemory by the caller.
PWLAN_PROFILE_INFO_LIST QueryProfileList(const GUID* interfaceGuid, DWORD& error);
// The same, printing why they can't be had.
PWLAN_PROFILE_INFO_LIST FetchProfileList(const GUID* interfaceGuid, const std::string& guidText);
// An entry's name, up to its terminator or the end of its array.
WideString StoredProfileName(const WLAN_PROFILE_INFO& profile);
// A profile name of the platform's records (WLAN_MAX_NAME_LENGTH units), up to its terminator.
WideString FixedSizeName(const WCHAR* name);
// Whether a stored name is the typed one, given both converted: its ANSI form has the same
// bytes and the typed name stands for the same UTF-16 units, so that a name the code page only
// approximates (Ω as O, 日本 as ??) matches no typed name.
bool IsProfileNamed(const WCHAR* storedName, const std::string& convertedName, const std::string& name,
                    const WideString& wideName);
