#include "cli/BatchApp.h"

int main(int argc, char** argv) { return velta::cli::runBatch(argc, argv); }
