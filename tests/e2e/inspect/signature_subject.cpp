// The program whose copies the signature tests sign, tamper with and verify.
int main() { return 0; }
