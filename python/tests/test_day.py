"""A day at the till from Python, against the virtual printer: a sale whose
refused item the operator's callable answers yes to, the closing with data
sets made from lists of dicts, the X reading and the Z reduction recorded by
Python writers; and what bad input gives."""

import ctypes
import datetime
import os

import pytest

import tov00300 as tov

START = {"CDFILIAL": "001", "CDCAIXA": "001", "NRSERIEIMP": "DR0111BR000000000001",
         "ESQUEMA": "PADRAO", "CDPORTAIMPFIS": "COM1", "IDTIPOIMPFIS": 29, "BOUTILTAA": False}


def item(code, name, price):
    # A card sale: a refused item asks "Impressora não responde. Imprimir novamente?".
    return {"ESQUEMACOR": "PADRAO", "CDARVPROD": code, "NMPROD": name, "CDALIQ": "T1",
            "VRPERCALIQ": "18", "QTDE": 1, "VALOR": price, "UNIDADE": "UN",
            "IDUTILTEF": "S", "UTILTEF": True}


@pytest.fixture()
def till(tmp_path):
    (tmp_path / "drive").mkdir()
    tov.configure(host_folder=str(tmp_path), drive_root=str(tmp_path / "drive"),
                  registry=str(tmp_path / "registry.ini"), locale="pt_BR")
    printer = ctypes.CDLL(os.path.join(os.path.dirname(tov.library().path),
                                       "libDarumaFrameWork.so"))
    printer.simControl_Daruma.argtypes = [ctypes.c_char_p]
    yield tmp_path, printer.simControl_Daruma
    tov.set_dialog(None)
    tov.set_record_writers()


def test_a_day_at_the_till(till):
    folder, printer = till
    questions, records = [], []

    def operator(message):
        if message.question:
            questions.append(message.text)
            return "Imprimir novamente?" in message.text
        return None

    tov.set_dialog(operator)
    tov.set_record_writers(
        document=lambda key, number, c28, c33, c45, kind, *rest: records.append(kind) or 1)

    with tov.Session(START):
        assert tov.call("AbreCupom", {"ESQUEMACOR": "PADRAO", "IDUTILTEF": "S", "UTILTEF": True})
        printer(b"fail iCFVender_ECF_Daruma -6 once")
        assert tov.plain.VendaItem(item("7891000100103", "Café torrado 500g", 10.99))
        assert tov.plain.VendaItem(bag=item("7896005800010", "Feijão carioca 1kg", 16.98))
        assert questions == ["Impressora não responde. Imprimir novamente?"]

        moves = [{"IDTIPOMOVIVE": "E", "DTHRINCMOV": datetime.datetime(2026, 1, 1, 9),
                  "CDTIPORECE": "001", "VRMOVIVEND": 30.0, "NRORDTROCO": "1",
                  "CDBANCARTCR": "", "CDTIPORECEORIG": ""}]
        types = [{"CDTIPORECE": "001", "NMTIPORECE": "Dinheiro", "IDTIPORECE": "1"}]
        closing = tov.call("FechaCupom", {1: "Obrigado!", 2: "PADRAO", 5: True, 9: "N",
                                          11: False, 13: moves, 14: types, 60: True},
                           [], 4)
        assert closing, closing.error
        assert len(closing["result"]) == 4

        total = tov.call("BuscaTotGer", "PADRAO")
        assert total and total["total"] == "27,97"
        assert tov.call("Leitura_X_Imp", "CHAVE", "", "PADRAO", "")
        assert tov.call("Reducao_Z_Imp", "CHAVE", "", "PADRAO", "")
        assert tov.state.inRetorno == 1

    tape = next(folder.rglob("bobina.txt")).read_text(encoding="utf-8")
    # Refused once, sold once: the item is on the paper a single time.
    assert tape.count("Café torrado") == 1
    assert records == ["LX", "RZ"]


def test_bad_input_is_refused_with_the_last_error(till):
    refused = tov.call("VendaItem", {"QTDE": "abc", "VRPERCALIQ": "18"})
    assert not refused
    assert refused.error.name == "TOV_ERR_EXCEPTION" and "abc" in refused.error.text
    with pytest.raises(ValueError, match="U\\+4E2D"):
        tov.Bag(tov.library(), {"NMPROD": "Chá 中"})
    with pytest.raises(tov.TovError, match="TOV_ERR_ARGUMENT"):
        tov.set_setting("host_folder", str(till[0] / "missing"))

    tov.create_control_row("001", "002", "DR0111BR000000000001")
    with pytest.raises(tov.TovError, match="TOV_ERR_REFUSED"):
        tov.create_control_row("001", "002", "DR0111BR000000000001")
    tov.state.stAtuFili = "001"
    assert tov.state.stAtuFili == "001"
