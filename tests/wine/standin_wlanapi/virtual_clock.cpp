// The clock that wlan.interfacesFromTick and connection attempts are read against, in the
// wlanapi.dll of the Wine suite. From the first enumeration of a machine with that member, or
// the first WlanScan or WlanConnect, the exe's imports of GetTickCount and Sleep point at a
// clock that starts at the machine's tickCount and moves only when the exe sleeps: waits for
// interfaces, scans and attempts take no real time. -enable's service waits keep the real clock.
#include <windows.h>

#include "platform/standin/api/clock.h"
#include "platform/standin/machine/machine.h"

namespace standin {

static DWORD virtualNow = 0;

static DWORD WINAPI VirtualGetTickCount() {
  return virtualNow;
}

static VOID WINAPI VirtualSleep(DWORD milliseconds) {
  virtualNow += milliseconds;
}

// Points every import of the function by the module at the replacement.
static void Redirect(HMODULE module, void* original, void* replacement) {
  BYTE* base = reinterpret_cast<BYTE*>(module);
  const IMAGE_NT_HEADERS* headers =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (const IMAGE_IMPORT_DESCRIPTOR* library =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       library->Name != 0; ++library) {
    for (IMAGE_THUNK_DATA* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
         thunk->u1.Function != 0; ++thunk) {
      if (reinterpret_cast<void*>(thunk->u1.Function) != original) continue;
      DWORD protection = 0;
      VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, PAGE_READWRITE, &protection);
      thunk->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, protection, &protection);
    }
  }
}

static bool virtualClock = false;

void UseVirtualClock() {
  const Json* machine = Machine();
  if (virtualClock || machine == nullptr) return;
  virtualClock = true;
  virtualNow = NumberMember(*machine, "tickCount");
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const HMODULE exe = GetModuleHandleW(nullptr);
  Redirect(exe, reinterpret_cast<void*>(GetProcAddress(kernel32, "GetTickCount")),
           reinterpret_cast<void*>(&VirtualGetTickCount));
  Redirect(exe, reinterpret_cast<void*>(GetProcAddress(kernel32, "Sleep")), reinterpret_cast<void*>(&VirtualSleep));
}

DWORD VirtualTicks() {
  static bool checked = false;
  const Json* machine = checked ? nullptr : Machine();
  checked = true;
  if (machine != nullptr && !MemberOrNull(MemberOrNull(*machine, "wlan"), "interfacesFromTick").is_null())
    UseVirtualClock();
  return virtualClock ? virtualNow : GetTickCount();
}

}  // namespace standin
