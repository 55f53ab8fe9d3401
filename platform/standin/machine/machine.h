// The simulated machine: its JSON document, where it lives, and how changes reach it.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/standin/machine/json_object.h"

namespace standin {

extern const char kMachineFormat[];

// The machine as last read or written by this process; null when its file can't be used
// (the reason has then been printed on standard error once).
const Json* Machine();
// Applies the change to the newest copy of the machine under the machine lock and saves the
// result before returning. The change returns a Win32 error code; non-zero saves nothing.
// A save that fails gives ERROR_WRITE_FAULT and the change is forgotten.
DWORD ChangeMachine(const std::function<DWORD(Json&)>& change);
// The host environment variable; empty when it is not set.
std::string EnvironmentValue(const char* name);
// Empty when neither TESSAMIN_MACHINE, XDG_STATE_HOME nor HOME names a place: no machine.
std::string MachinePath();
Json DefaultMachine();
// Empty when the document is a machine this stand-in can use, else why not.
std::string CheckMachine(const Json& machine);
// One line on standard error for each member whose name differs from one the stand-in reads
// only in letter case: such a member is kept but not used.
void ReportMisspeltMembers(const std::string& path, const Json& machine);
// Forgets everything this process knows of the machine.
void ForgetMachine();
// Makes the document the machine until ForgetMachine: changes apply to it alone, no file is
// read or written. Empty, or why the document is no machine (and then there is none).
std::string UseMachineInMemory(Json machine);

// Number members: missing is 0; stored as any 32-bit value, signed or not.
DWORD NumberMember(const Json& object, const char* name);
std::string StringMember(const Json& object, const char* name);
const Json& MemberOrNull(const Json& object, const char* name);
// Registry and service names: the platform compares them without regard to ASCII letter case.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
// The name of the object's member that equals name but for letter case, spelt as in the
// file; empty when there is none.
std::string StoredMemberName(const Json& object, const std::string& name);
bool ParseGuid(const std::string& text, GUID& guid);
std::string CanonicalGuid(const GUID& guid);
bool SameGuid(const GUID& a, const GUID& b);
// The interface of that GUID in the machine's wlan.interfaces; null when absent.
Json* FindInterface(Json& machine, const GUID& guid);
const Json* FindInterface(const Json& machine, const GUID& guid);
UINT AnsiCodePage();
// A localTime member, YYYY-MM-DDTHH:MM:SS; false for anything else.
bool ParseLocalTime(const std::string& text, int& year, int& month, int& day, int& hour, int& minute, int& second);

}  // namespace standin
