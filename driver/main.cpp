#include "driver/run.h"
#include "platform/command_line.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  prepare_console();
  const int status = run_silkora(command_line(argc, argv));
  wait_at_end_if_alone();
  return status;
}
