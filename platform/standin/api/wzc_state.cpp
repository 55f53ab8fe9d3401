#include <string>

#include "platform/standin/api/wzc_state.h"
#include "platform/standin/machine/machine.h"

namespace standin {

bool WzcServiceRunning() {
  const Json* machine = Machine();
  if (machine == nullptr) return false;
  const Json& services = MemberOrNull(*machine, "services");
  const std::string name = StoredMemberName(services, "WZCSVC");
  return !name.empty() && StringMember(MemberOrNull(services, name.c_str()), "state") == "running";
}

}  // namespace standin
