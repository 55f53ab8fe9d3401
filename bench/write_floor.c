/* The floor of a run that prints: a C program that writes the bytes of the file it is given
   to standard output, to time against a run of the tool that writes the same bytes. */
#include <stdio.h>

int main(int argc, char** argv) {
  static char text[1 << 16];
  FILE* file;
  size_t size;
  if (argc != 2 || (file = fopen(argv[1], "rb")) == NULL) return 2;
  size = fread(text, 1, sizeof text, file);
  fclose(file);
  return fwrite(text, 1, size, stdout) == size ? 0 : 1;
}
