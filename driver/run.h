// The run driver: switches, the per-file pipeline and the summary.
#pragma once

// Runs the program on its command line; returns the exit status. Every message goes to stderr.
int run_silkora(int argc, char** argv);
