// The switches of one run, as the steps that read them need them.
#pragma once

struct RunFlags {
  int debug_mode = 0;      // -D
  int mirror_mode = 0;     // -M
  int skip_refdes = 0;     // -S
  int use_visibility = 0;  // -V
  int check_mode = 0;      // -C
  int arrange_mode = 0;    // -A
};
