// The contracts of the fiscal memory readings, the MFD files, the program's
// identification print and the CAT files.
#include "contract_builders.h"

namespace ecfhost::contract {

std::vector<Contract> LegalContracts() {
  return {
      {"geraEad", "signs a file", false, {FilePath("caminho", "the file's path")}},
      {"MakeHostFolder",
       "ecfhost's own: makes a folder and its parents under the host folder, as the host's "
       "installation does",
       false,
       {[] {
         ParameterRule p = P("pasta", "the folder, e.g. \"Dados\\MenuFiscal\"");
         p.path = PathKind::kHostFolder;
         return p;
       }()}},
      // ---- fiscal memory readings
      {"Memoria_Fiscal_Imp",
       "prints a simplified fiscal memory reading",
       true,
       {kScheme, P("tipo", "\"D\" dates, \"R\" reduction numbers"),
        P("inicio", "first date DD/MM/YYYY or reduction"),
        P("fim", "last date DD/MM/YYYY or reduction"), P("ignorado")}},
      {"EmiteLeituraMemoriaFiscal",
       "prints a fiscal memory reading and records it",
       true,
       {kScheme, P("inicio", "first date DD/MM/YYYY or reduction"),
        P("fim", "last date DD/MM/YYYY or reduction"),
        P("flag", "\"s\" simplified, anything else complete"),
        P("tipo", "\"DATA\" dates, anything else reduction numbers"),
        P("chave", "key the reading is recorded under")}},
      {"EmiteLeituraMemoriaFiscalSerial",
       "writes a fiscal memory reading as a signed file",
       true,
       {Positions("valores", {{0, kText, "colour scheme", {}},
                              {1, kText, "first date DD/MM/YYYY or reduction", {}},
                              {2, kText, "last date DD/MM/YYYY or reduction", {}},
                              {3, kText, "\"s\" simplified, anything else complete", {}},
                              {4, kText, "\"DATA\" dates, anything else reduction numbers", {}}}),
        P("resultado", "not used")}},
      // ---- MFD files
      {"Gera_ArquivoMFD",
       "downloads the MFD and writes its text file",
       true,
       {Positions("valores",
                  {{0, kText, "\"D\" dates DD/MM/YYYY, anything else operation counters", {}},
                   {1, kText, "start of the range", {}},
                   {2, kText, "end of the range", {}},
                   {3, kAny, "not used", {}},
                   {4, kText, "file-name prefix", {}, PathKind::kNamePart}}),
        P("resultado", "not used")}},
      {"geraEspelhoMfd",
       "writes the MFD mirror as a signed file",
       true,
       {Positions("valores", {{6, kText, "start: date DD/MM/YYYY or operation counter", {}},
                              {7, kText, "end: date DD/MM/YYYY or operation counter", {}},
                              {8, kAny, "kind; must be present, not used", {}}}),
        P("resultado", "not used")}},
      {"GERA_MF",
       "downloads the fiscal memory to a file",
       true,
       {P("ignorado"), FilePath("destino", "the file's path")}},
      // ---- identification and CAT files
      {"ImprimeDadosPaf",
       "prints the program's identification as a management report",
       true,
       {Positions("valores",
                  {{0, kAny, "not used", {}},
                   {1, kAny, "not used", {}},
                   {2, kText, "colour scheme", {}},
                   {3,
                    kDataSet,
                    "identification data packet, fields scrambled",
                    {{"NRLAUDO", kText, "technical report number (scrambled)"},
                     {"NRCNPJMORVANE", kText, "developer company's CNPJ (scrambled)"},
                     {"DSRAZAOSOCIMOR", kText, "developer company's legal name (scrambled)"},
                     {"DSENDEMORVANE", kText, "developer company's address (scrambled)"},
                     {"DSTELEFONEMOR", kText, "developer company's telephone (scrambled)"},
                     {"NMRESPONSIST", kText, "technical responsible (scrambled)"},
                     {"DSNOMECOMERCIAL", kText, "the program's commercial name (scrambled)"},
                     {"DSVERSAOBRINDAL", kText, "the program's version (scrambled)"},
                     {"NMEXEBRINDAL", kText, "the main executable's name (scrambled)"}}},
                   {4, kDataSet, "printer-list data packet (NRSERIEIMPRPERS)", {}}}),
        P("resultado", "not used")}},
      {"GeraCatGenerica",
       "collects the daily MFD text files of a range of days",
       true,
       {Positions("valores", {{0,
                               kDataSet,
                               "parameters data packet",
                               {{"CDFILIAL", kText, "branch code, part of the file names", "",
                                 false, PathKind::kNamePart},
                                {"CDCAIXA", kText, "till code, part of the file names", "", false,
                                 PathKind::kNamePart},
                                {"IDESQUEMA", kText, "colour scheme of the messages"}}},
                              {1, kText, "first date (short date or DDMMYY)", {}},
                              {2, kText, "last date (short date or DDMMYY)", {}}}),
        P("lista", "out: the paths of the files collected")}},
  };
}

}  // namespace ecfhost::contract
