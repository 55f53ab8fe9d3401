// The process floor for -help: a minimal C++ program that writes the same bytes.
#include <cstdio>

#include "usage_text.h"

int main() {
  fwrite(kUsageText, 1, sizeof kUsageText - 1, stdout);
  return 0;
}
