// The `tavir` command: every operation of the main dialog over a stand-alone datebook.
#include "cli/Tavir.h"

int main(int argc, char** argv) { return tavir::RunTavir(argc, argv); }
