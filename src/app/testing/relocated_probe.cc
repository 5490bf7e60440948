// A minimal program built like our installer (relocated PE headers) to show that such a
// program, with or without a record appended, still starts. Exits with 42.
int main() {
  return 42;
}
