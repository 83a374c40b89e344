#include <emscripten/bind.h>
int main() {}
