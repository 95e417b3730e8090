// The viewer's entry point.
#include "app/viewer_main.h"

int main(int argc, char** argv) { return tavlex::ViewerMain(argc, argv); }
