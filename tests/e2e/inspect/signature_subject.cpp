// The program whose copies the signature tests sign, tamper with and verify.
// Run as a child, it writes one byte to its standard output once it is loaded
// and running, then waits until its standard input ends.
#include <cstdio>

int main() {
  std::fputc('r', stdout);
  std::fflush(stdout);
  while (std::fgetc(stdin) != EOF) {
  }
  return 0;
}
