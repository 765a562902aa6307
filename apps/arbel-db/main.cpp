#include <cstdio>
int main() {
    std::fprintf(stderr, "usage: arbel-db FILE COMMAND [ARGS...]\n");
    return 2;
}
