// The baseline of the start-up figures: a C++ program that does nothing.
int main() { return 0; }
