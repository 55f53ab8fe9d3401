#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "platform/standin/machine/crash_points.h"

namespace standin {

void ReachSavePoint(SavePoint point) {
  static const char* const setting = getenv("TESSAMIN_TEST_CRASH_AT");
  if (setting == nullptr) return;
  static int saves = 0;
  if (point == kBeforeTemporaryFile) ++saves;
  int save = 0, at = 0;
  if (sscanf(setting, "%d:%d", &save, &at) == 2 && save == saves && at == point) raise(SIGKILL);
}

}  // namespace standin
