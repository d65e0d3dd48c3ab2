/* A host written in C: it points the package at its folders by calls, starts
 * a session on the virtual printer, sells a receipt of two items paid in
 * cash (the printer refuses the first item once, and the host's dialog hook
 * answers the retry question yes), reads the grand total back, and shows
 * what a refused input leaves in inRetorno and the last error. Everything
 * goes through the package's C header alone.
 *
 *   sale HOST_FOLDER     (HOST_FOLDER must exist; its "drive" subfolder is
 *                         the drive root)
 * Exits 0 when every step answered as a till expects. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tov00300/tov00300_c.h"

static int failures = 0;

static void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "FAILED: %s\n", what);
    ++failures;
  }
}

/* The operator's dialog: every question is answered yes and counted. */
static int questions = 0;

static int dialog(void* user, const char* text, const char* detail, const char* flag,
                  const char* question, int type, const char* reserved, const char* context,
                  int number, TovDataSet* dataSet) {
  (void)user, (void)detail, (void)flag, (void)type, (void)reserved, (void)context, (void)number,
      (void)dataSet;
  printf("operator sees: %s\n", text);
  if (strcmp(question, "S") != 0) return 0;
  ++questions;
  return 1;
}

/* How many times `what` is on the paper tape of the virtual printer. */
static int onTape(const char* folder, const char* what) {
  char path[4096];
  snprintf(path, sizeof path, "%s/drive/Daruma/bobina.txt", folder);
  FILE* tape = fopen(path, "r");
  if (tape == NULL) return -1;
  int count = 0;
  char line[1024];
  while (fgets(line, sizeof line, tape) != NULL)
    if (strstr(line, what) != NULL) ++count;
  fclose(tape);
  return count;
}

/* A command to the virtual printer (it is not part of the C header: tests
 * reach it in the driver library the package loaded). */
static void printer(const char* command) {
  void* library = dlopen("libDarumaFrameWork.so", RTLD_NOW);
  int (*control)(const char*) = NULL;
  if (library != NULL) *(void**)(&control) = dlsym(library, "simControl_Daruma");
  check(control != NULL && control(command) == 1, command);
}

static TovVariant* item(const char* code, const char* name, double quantity, double price) {
  TovVariant* bag = tov_bag_new();
  tov_bag_set_text(bag, "ESQUEMACOR", "PADRAO");
  tov_bag_set_int(bag, "INTEFERRO", 0);
  tov_bag_set_text(bag, "CDARVPROD", code);
  tov_bag_set_text(bag, "NMPROD", name);
  tov_bag_set_text(bag, "CDALIQ", "T1");
  tov_bag_set_text(bag, "VRPERCALIQ", "18");
  tov_bag_set_double(bag, "QTDE", quantity);
  tov_bag_set_double(bag, "VALOR", price);
  tov_bag_set_double(bag, "DESCONT", 0);
  tov_bag_set_double(bag, "ACRESCIMO", 0);
  tov_bag_set_text(bag, "UNIDADE", "UN");
  tov_bag_set_text(bag, "IDUTILTEF", "N");
  tov_bag_set_bool(bag, "UTILTEF", false);
  return bag;
}

/* The cash movements of the sale and the host's payment types. */
static TovDataSet* movements(double cash) {
  TovDataSet* ds = tov_dataset_new("cdsMovCaixaTef");
  tov_dataset_add_field(ds, "IDTIPOMOVIVE", 'S', 1);
  tov_dataset_add_field(ds, "DTHRINCMOV", 'D', 0);
  tov_dataset_add_field(ds, "CDTIPORECE", 'S', 3);
  tov_dataset_add_field(ds, "VRMOVIVEND", 'F', 0);
  tov_dataset_add_field(ds, "NRORDTROCO", 'S', 3);
  tov_dataset_add_field(ds, "CDBANCARTCR", 'S', 3);
  tov_dataset_add_field(ds, "CDTIPORECEORIG", 'S', 3);
  tov_dataset_create(ds);
  tov_dataset_append(ds);
  tov_dataset_set_text(ds, "IDTIPOMOVIVE", "E");
  tov_dataset_set_double(ds, "DTHRINCMOV", 46023.5);
  tov_dataset_set_text(ds, "CDTIPORECE", "001");
  tov_dataset_set_double(ds, "VRMOVIVEND", cash);
  tov_dataset_set_text(ds, "NRORDTROCO", "1");
  tov_dataset_post(ds);
  return ds;
}

static TovDataSet* paymentTypes(void) {
  TovDataSet* ds = tov_dataset_new("cdsRecebAux");
  tov_dataset_add_field(ds, "CDTIPORECE", 'S', 3);
  tov_dataset_add_field(ds, "NMTIPORECE", 'S', 40);
  tov_dataset_add_field(ds, "IDTIPORECE", 'S', 1);
  tov_dataset_create(ds);
  tov_dataset_append(ds);
  tov_dataset_set_text(ds, "CDTIPORECE", "001");
  tov_dataset_set_text(ds, "NMTIPORECE", "Dinheiro");
  tov_dataset_set_text(ds, "IDTIPORECE", "1");
  tov_dataset_post(ds);
  return ds;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s HOST_FOLDER\n", argv[0]);
    return 2;
  }
  char drive[4096];
  snprintf(drive, sizeof drive, "%s/drive", argv[1]);
  check(tov_set_setting("host_folder", argv[1]), "host_folder");
  check(tov_set_setting("drive_root", drive), "drive_root");
  check(tov_set_setting("locale", "C"), "locale");
  tov_set_dialog_hook(dialog, NULL);

  TovVariant* session = tov_bag_new();
  tov_bag_set_text(session, "CDFILIAL", "001");
  tov_bag_set_text(session, "CDCAIXA", "001");
  tov_bag_set_text(session, "NRSERIEIMP", "DR0111BR000000000001");
  tov_bag_set_text(session, "ESQUEMA", "PADRAO");
  tov_bag_set_text(session, "CDPORTAIMPFIS", "COM1");
  tov_bag_set_int(session, "IDTIPOIMPFIS", 29);
  tov_bag_set_bool(session, "BOUTILTAA", false);
  check(StartImpFiscal(session), "StartImpFiscal");

  TovVariant* opening = tov_bag_new();
  tov_bag_set_text(opening, "ESQUEMACOR", "PADRAO");
  tov_bag_set_int(opening, "INTTEFERRO", 0);
  tov_bag_set_text(opening, "IDUTILTEF", "N");
  tov_bag_set_bool(opening, "UTILTEF", false);
  check(AbreCupom(opening), "AbreCupom");
  char coo[16];
  check(tov_bag_get_text(opening, "CUPNR", coo, sizeof coo) > 0, "AbreCupom answers CUPNR");

  TovVariant* coffee = item("7891000100103", "Cafe torrado 500g", 1, 10.99);
  TovVariant* sugar = item("7891910000197", "Acucar refinado 1kg", 2, 5.49);
  printer("fail iCFVender_ECF_Daruma -6 once");
  check(VendaItem(coffee), "VendaItem coffee, refused once and sold after a yes");
  check(questions == 1, "the operator was asked once");
  check(VendaItem(sugar), "VendaItem sugar");

  /* FechaCupom's positional values: the message, the colour scheme, the
   * flags, no discount or surcharge, the movements (13) and types (14). */
  TovValues* values = tov_values_new(61);
  tov_values_set_text(values, 1, "Obrigado!");
  tov_values_set_text(values, 2, "PADRAO");
  tov_values_set_bool(values, 4, false);
  tov_values_set_bool(values, 5, true);
  tov_values_set_double(values, 6, 0);
  tov_values_set_double(values, 7, 0);
  tov_values_set_double(values, 8, 0);
  tov_values_set_text(values, 9, "N");
  tov_values_set_bool(values, 11, false);
  TovDataSet* moves = movements(30.0);
  TovDataSet* types = paymentTypes();
  check(tov_values_set_dataset(values, 13, moves), "movements into position 13");
  check(tov_values_set_dataset(values, 14, types), "types into position 14");
  TovStrings* lines = tov_strings_new();
  TovVariant* result = tov_array_new(4);
  check(FechaCupom(values, lines, result), "FechaCupom");

  char total[32] = "";
  check(BuscaTotGer("PADRAO", total, sizeof total), "BuscaTotGer");
  printf("receipt %s closed; grand total %s\n", coo, total);
  check(strcmp(total, "21.97") == 0, "the grand total is the two items' 21.97");

  /* A buffer of one byte holds only the terminator, whatever the answer. */
  char tiny[1] = {'x'};
  BuscaTotGer("PADRAO", tiny, 1);
  check(tiny[0] == '\0', "a one-byte buffer gets only the terminator");

  /* Refused once, printed once. */
  check(onTape(argv[1], "Cafe torrado") == 1, "the refused item is on the tape once");

  /* A quantity that is not a number: refused before anything is sent. */
  TovVariant* bad = item("7891000100103", "Cafe torrado 500g", 1, 10.99);
  tov_bag_set_text(bad, "QTDE", "abc");
  check(!VendaItem(bad), "a quantity of abc is refused");
  const char* why = NULL;
  check(tov_last_error(&why) == TOV_ERR_EXCEPTION, "the last error says an error stopped it");
  printf("refused: %s; inRetorno %d\n", why, tov_get_inRetorno());
  check(tov_get_inRetorno() == 1, "inRetorno keeps the last driver code");
  tov_variant_free(bad);

  check(FechaPorta(), "FechaPorta");
  StopImpFiscal();

  tov_variant_free(session);
  tov_variant_free(opening);
  tov_variant_free(coffee);
  tov_variant_free(sugar);
  tov_variant_free(result);
  tov_values_free(values);
  tov_strings_free(lines);
  tov_dataset_free(moves);
  tov_dataset_free(types);
  return failures == 0 ? 0 : 1;
}
