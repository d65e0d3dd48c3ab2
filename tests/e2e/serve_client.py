"""A point-of-sale client of `ecfhost serve --listen`: starts the service on
a free loopback port, runs a whole day over TCP (start, a receipt, a reply
it pretends to have lost and recovers with a status request, a non-fiscal
receipt, the session stop) and checks every reply. Every wait is bounded.

    python3 serve_client.py ECFHOST HOST_DIR      exit 0 when the day ran
"""
import json
import re
import socket
import subprocess
import sys

TIMEOUT = 30


def main(ecfhost, host_dir):
    service = subprocess.Popen(
        [ecfhost, "serve", "--listen", "127.0.0.1:0", "--host-dir", host_dir],
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        line = service.stderr.readline()
        match = re.search(r"listening on 127\.0\.0\.1:(\d+)", line)
        if not match:
            raise AssertionError("no listening line: " + line)
        with socket.create_connection(("127.0.0.1", int(match.group(1))), timeout=TIMEOUT) as s:
            replies = s.makefile("r", encoding="utf-8")
            next_id = [0]

            def ask(request):
                next_id[0] += 1
                request["id"] = next_id[0]
                s.sendall((json.dumps(request) + "\n").encode("utf-8"))
                reply = json.loads(replies.readline())
                if reply.get("id") != request["id"]:
                    raise AssertionError("reply to another request: %r" % reply)
                return reply

            def call(op, *args):
                reply = ask({"op": op, "args": list(args)})
                if "error" in reply or reply.get("result") is False:
                    raise AssertionError("%s failed: %r" % (op, reply))
                return reply

            if ask({"op": "status"})["result"] != {"session": False}:
                raise AssertionError("a session before StartImpFiscal")
            call("StartImpFiscal", {"bag": {
                "CDFILIAL": "001", "CDCAIXA": "001", "NRSERIEIMP": "DR0111BR000000000001",
                "ESQUEMA": "PADRAO", "CDPORTAIMPFIS": "COM1", "IDTIPOIMPFIS": 29,
                "BOUTILTAA": False}})
            call("CarregaTotalizador", "", "", "", "", "", "PADRAO", 0, {"rows": []})
            opened = call("AbreCupom", {"bag": {"ESQUEMACOR": "PADRAO"}})
            coo = int(opened["args"][0]["bag"]["CUPNR"])
            item = {"bag": {"CDARVPROD": "1", "NMPROD": "Cafe", "CDALIQ": "T1",
                            "VRPERCALIQ": "18", "QTDE": 2, "VALOR": 10.5}}
            call("VendaItem", item)
            # The reply to the next item is "lost": the status tells the
            # client the item took effect, so it is not sent again.
            call("VendaItem", item)
            status = ask({"op": "status"})["result"]
            expected = {"session": True, "open_document": 1, "open_kind": "receipt", "coo": coo,
                        "items": 2, "subtotal": 42.0}
            for key, value in expected.items():
                if status.get(key) != value:
                    raise AssertionError("status %s: %r, expected %r" % (key, status, value))
            call("FechaCupom", {"positions": {
                "2": "PADRAO", "5": True, "9": "N", "11": False,
                "13": {"rows": [{"IDTIPOMOVIVE": "E",
                                 "DTHRINCMOV": {"datetime": "2026-01-01T09:00:00"},
                                 "CDTIPORECE": "001", "VRMOVIVEND": 50.0, "NRORDTROCO": "1",
                                 "CDBANCARTCR": "", "CDTIPORECEORIG": ""}]},
                "14": {"rows": [{"CDTIPORECE": "001", "NMTIPORECE": "Dinheiro",
                                 "IDTIPORECE": "1"}]},
                "60": True}}, {"strings": []}, {"size": 4})
            call("Cupom_NFiscNVinc", "PADRAO", "CONTRA-VALE EMI", "5.00", "Dinheiro", "")
            status = ask({"op": "status"})["result"]
            if status["open_document"] != 0 or status["grand_total"] != 42.0:
                raise AssertionError("after the day: %r" % status)
            refused = ask({"op": "VendaItem", "args": [{"bag": {"QTDE": 1}}]})
            if not refused.get("refused"):
                raise AssertionError("a bad request was not refused: %r" % refused)
            call("FechaPorta")
            ask({"op": "quit"})
        if service.wait(timeout=TIMEOUT) != 0:
            raise AssertionError("the service ended with %d" % service.returncode)
    finally:
        if service.poll() is None:
            service.kill()
            service.wait(timeout=TIMEOUT)


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2])
    except Exception as e:  # the test prints the reason
        print("serve_client: %s" % e)
        sys.exit(1)
