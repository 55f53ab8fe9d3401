#include <cctype>
#include <string>

#include "platform/standin/machine.h"
#include "platform/standin/wzc_state.h"

namespace standin {

// Service names compare without regard to letter case, as the service control manager's do.
static bool SameServiceName(const std::string& a, const char* b) {
  const std::string other = b;
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(other[i]))) return false;
  return true;
}

bool WzcServiceRunning() {
  const Json* machine = Machine();
  if (machine == nullptr) return false;
  const Json& services = MemberOrNull(*machine, "services");
  if (!services.is_object()) return false;
  for (auto entry = services.begin(); entry != services.end(); ++entry)
    if (SameServiceName(entry.key(), "WZCSVC")) return StringMember(entry.value(), "state") == "running";
  return false;
}

}  // namespace standin
