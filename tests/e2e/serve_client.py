"""Point-of-sale clients of `ecfhost serve --listen`, each run against the
service on a free loopback port. Every wait is bounded.

    python3 serve_client.py ECFHOST HOST_DIR          a whole day over TCP (start, a
        receipt, a reply it pretends to have lost and recovers with a status
        request, a non-fiscal receipt, the session stop), every reply checked
    python3 serve_client.py ECFHOST HOST_DIR guards   a service with a token: a client
        without it is refused, and one that never reads its replies is dropped
        while another is answered

Exit 0 when the clients got what they expected.
"""
import json
import os
import re
import socket
import subprocess
import sys
import threading

TIMEOUT = 30


def start_service(ecfhost, host_dir, *options):
    service = subprocess.Popen(
        [ecfhost, "serve", "--listen", "127.0.0.1:0", "--host-dir", host_dir] + list(options),
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    line = service.stderr.readline()
    match = re.search(r"listening on 127\.0\.0\.1:(\d+)", line)
    if not match:
        service.kill()
        raise AssertionError("no listening line: " + line)
    return service, int(match.group(1))


def stop_service(service):
    if service.poll() is None:
        service.kill()
        service.wait(timeout=TIMEOUT)


def guards(ecfhost, host_dir):
    token_file = os.path.join(host_dir, "..", "token.txt")
    with open(token_file, "w") as f:
        f.write("s3cret\n")
    service, port = start_service(ecfhost, host_dir, "--token-file", token_file)
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT) as s:
            s.sendall(b'{"id": 1, "op": "status"}\n{"id": 2, "op": "status"}\n')
            replies = s.makefile("r", encoding="utf-8").read().splitlines()
            if len(replies) != 1 or "token" not in json.loads(replies[0])["error"]:
                raise AssertionError("a client without the token: %r" % replies)
        # This client sends requests with large replies and never reads them.
        # A small receive window, so the service meets a full socket soon.
        silent = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        silent.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        silent.settimeout(TIMEOUT)
        silent.connect(("127.0.0.1", port))
        big = (json.dumps({"op": "FormataCNPJ", "args": ["1" * 2000000], "token": "s3cret"})
               + "\n").encode()

        def flood():
            try:
                for _ in range(12):
                    silent.sendall(big)
            except OSError:
                pass  # dropped by the service
        sender = threading.Thread(target=flood, daemon=True)
        sender.start()
        sender.join(timeout=10)
        with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
            s.sendall(b'{"id": 3, "op": "status", "token": "s3cret"}\n')
            reply = json.loads(s.makefile("r", encoding="utf-8").readline())
            if reply.get("result") != {"session": False}:
                raise AssertionError("the reading client: %r" % reply)
        silent.close()
    finally:
        stop_service(service)


def main(ecfhost, host_dir):
    service, port = start_service(ecfhost, host_dir)
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT) as s:
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
        stop_service(service)


if __name__ == "__main__":
    try:
        (guards if sys.argv[3:] == ["guards"] else main)(sys.argv[1], sys.argv[2])
    except Exception as e:  # the test prints the reason
        print("serve_client: %s" % e)
        sys.exit(1)
