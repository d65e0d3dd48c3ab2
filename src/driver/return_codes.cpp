#include "driver/return_codes.h"

#include "tov00300/datamodule.h"

namespace Tov00300::driver {

namespace {

constexpr Catalogue P = Catalogue::msgPadrao;
constexpr Catalogue P2 = Catalogue::msgPadrao2;

constexpr CodeMessage kFrameWorkCodes[] = {
    {0, {"ErroComunicacao", P}},
    {-1, {"ErroExecucao", P}},
    {-2, {"ParamInvalido", P}},
    {-3, {"AliqNProg", P}},
    {-4, {"ErroArqIni", P}},
    {-5, {"ErroPorta", P}},
    {-6, {"ImpDeslig", P}},
    {-7, {"BancoNCad", P}},
    {-8, {"ErroGravacao", P2}},
    {-9, {"Erro_FechaPorta", P2}},
    {-10, {"Erro_Pgto", P}},
    {-24, {"Erro_FormaPG", P2}},
    {-27, {"Erro_Impressora", P2}},
    {-28, {"Erro_Timeout", P2}},
    {-40, {"Erro_XML", P2}},
    {-50, {"Erro_Registro", P2}},
    {-51, {"Erro_Log", P2}},
    {-52, {"Erro_AbrirArq", P2}},
    {-53, {"Erro_FimArq", P2}},
    {-60, {"Erro_DHTML", P2}},
    {-90, {"Erro_PortaCom", P2}},
    {-99, {"Erro_ParamInv", P2}},
    {-101, {"Erro_LerOuEsc", P2}},
    {-102, {"Erro_LerOuEsc", P2}},
    {-103, {"Erro_DllAux", P2}},
    {-104, {"Erro_DataInferior", P2}},
    {-105, {"Erro_DataSuperior", P2}},
    {-107, {"Erro_PortaComOcu", P2}},
};

constexpr CodeMessage kLegacyCodes[] = {
    {0, {"ErroComunicacao", P}}, {-1, {"ErroExecucao", P}},  {-2, {"ParamInvalido", P}},
    {-3, {"AliqNProg", P}},      {-4, {"ErroArqIni", P}},    {-5, {"ErroPorta", P}},
    {-6, {"ImpDeslig", P}},      {-7, {"BancoNCad", P}},     {-8, {"ErroGravacao", P2}},
    {-18, {"ErroAbrirArq", P}},  {-19, {"ParamErro", P}},    {-20, {"TransCanc", P}},
    {-21, {"TransAprov", P}},    {-22, {"ImpNConcl", P}},    {-23, {"OperNConcl", P}},
    {-24, {"FormPgtoNProg", P}}, {-25, {"TotNFisNProg", P}}, {-26, {"TransEfet", P}},
    {-28, {"InfNImpre", P}},
};

const CatalogueEntry* Find(std::span<const CodeMessage> rows, int code) {
  for (const CodeMessage& row : rows)
    if (row.code == code) return &row.entry;
  return nullptr;
}

}  // namespace

std::span<const CodeMessage> FrameWorkCodeMessages() {
  return kFrameWorkCodes;
}

std::span<const CodeMessage> LegacyCodeMessages() {
  return kLegacyCodes;
}

const CatalogueEntry* FrameWorkCodeMessage(int code) {
  return Find(kFrameWorkCodes, code);
}

const CatalogueEntry* LegacyCodeMessage(int code) {
  return Find(kLegacyCodes, code);
}

std::string CatalogueText(const CatalogueEntry& entry) {
  TdtmDaruma300& dm = DataModule();
  return entry.catalogue == Catalogue::msgPadrao ? dm.msgPadrao.Msg(entry.key)
                                                 : dm.msgPadrao2.Msg(entry.key);
}

}  // namespace Tov00300::driver
