// Loaded into the tool with LD_PRELOAD by the killed-run tests: ends the process at a
// numbered point of one of the stand-in's saves of its machine file, as a kill at that moment
// would. TESSAMIN_TEST_CRASH_AT="SAVE:POINT" names the save (counted from 1) and the point:
// 1 before its temporary file is opened (nothing of the new version is on disk), 2 before
// that file is renamed over the machine file (the new version is whole beside it), 3 after.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int saves = 0;

bool IsTemporaryFile(const char* path) {
  const size_t length = strlen(path);
  return length >= 4 && strcmp(path + length - 4, ".tmp") == 0;
}

void Reach(int point) {
  static const char* const setting = getenv("TESSAMIN_TEST_CRASH_AT");
  int save = 0, at = 0;
  if (setting != nullptr && sscanf(setting, "%d:%d", &save, &at) == 2 && save == saves && at == point) raise(SIGKILL);
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
  int mode = 0;
  if ((flags & O_CREAT) != 0) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, int);
    va_end(arguments);
    if (IsTemporaryFile(path)) {
      ++saves;
      Reach(1);
    }
  }
  static const auto next = Next<int (*)(const char*, int, ...)>("open");
  return next(path, flags, mode);
}

extern "C" int rename(const char* from, const char* to) {
  if (IsTemporaryFile(from)) Reach(2);
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  const int result = next(from, to);
  if (result == 0 && IsTemporaryFile(from)) Reach(3);
  return result;
}
