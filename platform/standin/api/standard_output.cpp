// Standard output is the host's own: the tool's bytes go to it as they are.
#include <cstdio>

#include "platform/platform.h"

void WriteStandardOutput(const char* bytes, size_t count) {
  fwrite(bytes, 1, count, stdout);
}
