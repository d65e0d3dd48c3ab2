/* tov-new-till: prepares the grand-total control of a new till.
 *
 *   tov-new-till HOST_FOLDER BRANCH TILL SERIAL [MD5]
 *
 * Adds the till's row to Brindal.cds in HOST_FOLDER (the file is made when
 * missing): the control is on and the total is the reset value, which the
 * first check at the till replaces by the printer's grand total. BRANCH,
 * TILL and SERIAL are the host's CDFILIAL, CDCAIXA and the printer's serial
 * number; MD5 is the digest of the program's file list shown by the PAF
 * identification print (empty when not given). A row that is already there
 * is never replaced: its recorded total is the till's history.
 *
 * Exit status: 0 row added, 1 refused (the reason on standard error),
 * 2 bad command line. Written against the C interface alone. */
#include <stdio.h>

#include "tov00300/tov00300_c.h"

int main(int argc, char** argv) {
  if (argc < 5 || argc > 6) {
    fprintf(stderr, "usage: %s HOST_FOLDER BRANCH TILL SERIAL [MD5]\n", argv[0]);
    return 2;
  }
  const char* error = NULL;
  if (!tov_set_setting("host_folder", argv[1]) ||
      !tov_create_control_row(argv[2], argv[3], argv[4], argc == 6 ? argv[5] : "")) {
    tov_last_error(&error);
    fprintf(stderr, "tov-new-till: %s\n", error);
    return 1;
  }
  char folder[4096];
  tov_get_setting("host_folder", folder, (int)sizeof folder);
  printf("%s/Brindal.cds: grand-total control of branch %s, till %s, printer %s\n", folder, argv[2],
         argv[3], argv[4]);
  return 0;
}
