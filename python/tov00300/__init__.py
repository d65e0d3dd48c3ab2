"""The fiscal-printer driver package from Python.

    import tov00300 as tov

    tov.configure(host_folder="/var/lib/till", locale="pt_BR")
    tov.set_dialog(lambda message: message.question and ask_operator(message.text))
    with tov.Session({"CDFILIAL": "001", "CDCAIXA": "001", ...}) as till:
        tov.call("AbreCupom", {"ESQUEMACOR": "PADRAO"})
        tov.call("VendaItem", {"CDALIQ": "T1", "QTDE": 1, "VALOR": 10.99, ...})

Every plain name of the package is reachable as tov.call(NAME, ...) or
tov.plain.NAME(...), with its parameters by position or by the names of the
C header. Texts are str; a bag is a dict, a positional array a dict of
positions or a list, a string list a list of str, a data set a list of
dicts (or a DataSet). Out and in/out buffers are not passed: their texts
come back in Result.outputs, with the bags, arrays and data sets the
package filled.

One thread owns the package, as in C: make every call from it. The hooks
(dialog, record writers) are called on that thread during a call.
"""

import ctypes
import datetime

from . import _library
from .values import (Array, Bag, DataSet, Packet, Strings, Values, encode, from_days, read_text,
                     to_days)

__all__ = ["Array", "Bag", "DataSet", "Packet", "LastError", "Result", "Session", "Strings", "TovError",
           "Values", "call", "configure", "create_control_row", "get_setting", "last_error",
           "library", "plain", "set_dialog", "set_record_writers", "set_setting", "state"]

ERRORS = {0: "TOV_OK", 1: "TOV_ERR_ARGUMENT", 2: "TOV_ERR_BUFFER", 3: "TOV_ERR_ENCODING",
          4: "TOV_ERR_EXCEPTION", 5: "TOV_ERR_HOOK", 6: "TOV_ERR_REFUSED"}

# An out buffer's size; an answer that does not fit is cut and the result
# carries TOV_ERR_BUFFER (a printing call is never repeated to fetch it).
_BUFFER_SIZE = 4096

_library_instance = None
_hooks = {}  # the ctypes callbacks installed, kept alive


def library():
    """The loaded package (loaded at first use, switched to UTF-8 texts)."""
    global _library_instance
    if _library_instance is None:
        lib = _library.Library()
        if not lib.tov_set_setting(b"encoding", b"UTF-8"):
            raise TovError(last_error_of(lib))
        _library_instance = lib
    return _library_instance


class LastError:
    """The package's last error: code (TovError name), text and, after a cut
    answer, the buffer size that holds it."""

    def __init__(self, code, text, needed):
        self.code = code
        self.name = ERRORS.get(code, str(code))
        self.text = text
        self.needed = needed

    def __repr__(self):
        return f"LastError({self.name}, {self.text!r})"

    def __str__(self):
        return f"{self.name}: {self.text}"


def last_error_of(lib):
    text = ctypes.c_char_p()
    code = lib.tov_last_error(ctypes.byref(text))
    if code == 0:
        return None
    return LastError(code, (text.value or b"").decode("utf-8", "replace"),
                     lib.tov_last_error_needed())


def last_error():
    """The calling thread's last error, or None."""
    return last_error_of(library())


class TovError(Exception):
    """A call the package refused or could not complete."""

    def __init__(self, error, what=""):
        self.error = error
        super().__init__(f"{what}: {error}" if what else str(error))


class Result:
    """What a plain name answered: `value` (its C result), `outputs` (out
    texts, filled bags, arrays and data sets by parameter name) and `error`
    (the last error it left, or None). True when the call answered true (for
    a name without a boolean result: when it left no error)."""

    def __init__(self, name, value, outputs, error):
        self.name = name
        self.value = value
        self.outputs = outputs
        self.error = error

    def __bool__(self):
        return bool(self.value) if isinstance(self.value, bool) else self.error is None

    def __getitem__(self, key):
        return self.outputs[key]

    def check(self):
        """The result itself, or TovError when the call answered false."""
        if not self:
            raise TovError(self.error or "answered false", self.name)
        return self

    def __repr__(self):
        return f"Result({self.name}, {self.value!r}, {self.outputs!r}, {self.error!r})"


def _argument(lib, parameter, value, keep, after):
    """The ctypes argument for one parameter; `after` collects what to read back."""
    ctype, name = parameter.ctype, parameter.name
    if ctype == "const char*":
        return encode(value)
    if ctype in ("int", "double", "bool", "char"):
        if isinstance(value, (datetime.date, datetime.datetime)):
            return to_days(value)
        return value if value is not None else 0
    if ctype == "double*":
        cell = ctypes.c_double(to_days(value) if value is not None else 0.0)
        after.append((name, lambda: from_days(cell.value)))
        return ctypes.byref(cell)
    if ctype == "bool*":
        cell = ctypes.c_bool(bool(value))
        after.append((name, lambda: cell.value))
        return ctypes.byref(cell)
    handle = _handle(lib, ctype.replace("const ", "").rstrip("*"), value)
    if handle is None:
        return None
    keep.append(handle)
    if not ctype.startswith("const "):
        after.append((name, _reader(handle)))
    return handle


def _handle(lib, kind, value):
    if value is None or isinstance(value, (Bag, Array, Packet, Values, Strings, DataSet)):
        return value
    if kind == "TovVariant":
        if isinstance(value, dict):
            return Bag(lib, value)
        if isinstance(value, int):
            return Array(lib, value)  # a result array of that many elements
        if isinstance(value, list):  # a data packet made from rows
            return Packet(lib, DataSet(lib, "", value))
    if kind == "TovValues":
        return Values(lib, value, count=len(value) if isinstance(value, list) else None)
    if kind == "TovStrings":
        return Strings(lib, value)
    if kind == "TovDataSet":
        return DataSet(lib, "", value)
    raise TypeError(f"a {kind} cannot be made from {type(value).__name__}")


def _reader(handle):
    if isinstance(handle, Bag):
        return handle.to_dict
    if isinstance(handle, Array):
        return handle.to_list
    if isinstance(handle, Strings):
        return handle.to_list
    if isinstance(handle, DataSet):
        return handle.rows
    return lambda: None


def call(name, *args, **kwargs):
    """Calls the plain name with Python values; answers a Result."""
    lib = library()
    declaration = lib.declarations.get(name)
    if declaration is None or declaration.kind != "plain":
        raise AttributeError(f"the package has no plain name {name!r}")
    parameters = declaration.parameters
    names = [p.name for p in parameters]
    given = dict(zip([n for i, n in enumerate(names) if not _is_size(parameters, i)], args))
    for key, value in kwargs.items():
        if key not in names:
            raise TypeError(f"{name} has no parameter {key!r}")
        given[key] = value
    keep, after, arguments = [], [], []
    for i, parameter in enumerate(parameters):
        if parameter.ctype == "char*":
            initial = encode(given.get(parameter.name)) or b""
            buffer = ctypes.create_string_buffer(initial, max(len(initial) + 1, _BUFFER_SIZE))
            keep.append(buffer)
            after.append((parameter.name, lambda b=buffer: b.value.decode("utf-8")))
            arguments.append(buffer)
        elif _is_size(parameters, i):
            arguments.append(ctypes.sizeof(keep[-1]))
        else:
            arguments.append(_argument(lib, parameter, given.get(parameter.name), keep, after))
    value = getattr(lib, name)(*arguments)
    if isinstance(value, bytes):
        value = value.decode("utf-8")
    error = last_error_of(lib)
    outputs = {key: read() for key, read in after}
    return Result(name, value, {k: v for k, v in outputs.items() if v is not None}, error)


def _is_size(parameters, index):
    return index > 0 and parameters[index - 1].ctype == "char*" and parameters[index].ctype == "int"


class _Plain:
    """tov.plain.NAME(...) is tov.call("NAME", ...)."""

    def __getattr__(self, name):
        declaration = library().declarations.get(name)
        if declaration is None or declaration.kind != "plain":
            raise AttributeError(name)
        return lambda *args, **kwargs: call(name, *args, **kwargs)

    def __dir__(self):
        return [d.name for d in library().declarations.values() if d.kind == "plain"]


plain = _Plain()


class _State:
    """The package's exported globals: tov.state.inRetorno,
    tov.state.stAtuFili = "001", ..."""

    def _declaration(self, name):
        declaration = library().declarations.get(name)
        if declaration is None or declaration.kind not in ("text", "scalar"):
            raise AttributeError(f"the package exports no global {name!r}")
        return declaration

    def __getattr__(self, name):
        declaration = self._declaration(name)
        getter = getattr(library(), "tov_get_" + name)
        if declaration.kind == "text":
            return read_text(getter)
        return getter()

    def __setattr__(self, name, value):
        declaration = self._declaration(name)
        setter = getattr(library(), "tov_set_" + name)
        if declaration.kind == "text":
            if not setter(encode(value)):
                raise TovError(last_error(), name)
        else:
            setter(value)

    def __dir__(self):
        return [d.name for d in library().declarations.values() if d.kind in ("text", "scalar")]


state = _State()


def set_setting(name, value):
    """Sets one of the package's settings (see the C header)."""
    lib = library()
    if not lib.tov_set_setting(encode(name), encode("" if value is None else value)):
        raise TovError(last_error(), name)


def get_setting(name):
    value = read_text(library().tov_get_setting, encode(name))
    if value is None:
        raise KeyError(name)
    return value


def configure(**settings):
    """Several settings at once: configure(host_folder=..., locale="pt_BR")."""
    for name, value in settings.items():
        set_setting(name, value)


class Message:
    """What the operator dialog shows: the nine arguments of the package's
    dialog; `question` is True when a yes/no answer is expected."""

    def __init__(self, text, detail, flag, question, kind, reserved, context, number):
        self.text, self.detail, self.flag = text, detail, flag
        self.question, self.type, self.reserved = question == "S", kind, reserved
        self.context, self.number = context, number

    def __repr__(self):
        return f"Message({self.text!r}, question={self.question})"


def _text(raw):
    return (raw or b"").decode("utf-8", "replace")


def _answer(result):
    if result is True or result is False or result is None:
        return 1 if result else 0
    return -1  # not an answer: the package takes it as no and says so


def set_dialog(function):
    """Installs the operator dialog: function(Message) -> True (yes) or False
    (no); None restores the default (standard error, every question no). An
    exception in it counts as an answer that is not one (taken as no)."""
    lib = library()
    if function is None:
        lib.tov_set_dialog_hook(lib.hook_types["TovDialogHook"](), None)
        _hooks.pop("dialog", None)
        return

    def hook(user, text, detail, flag, question, kind, reserved, context, number, data_set):
        try:
            message = Message(_text(text), _text(detail), _text(flag), _text(question), kind,
                              _text(reserved), _text(context), number)
            return _answer(function(message))
        except Exception:  # noqa: BLE001 - a hook must not raise into the package
            import traceback
            traceback.print_exc()
            return -1

    _hooks["dialog"] = lib.hook_types["TovDialogHook"](hook)
    lib.tov_set_dialog_hook(_hooks["dialog"], None)


def set_record_writers(grava_cer=None, document=None):
    """Installs the record writers. grava_cer(text_a, text_b, fiscal_day) and
    document(key, receipt_number, counter28, counter33, counter45, kind,
    extra, recorded_at, fiscal_day, text) answer the record's id (an int) or
    None when nothing was recorded. A writer left None gets the default
    (documentos.db in the host folder)."""
    lib = library()
    if grava_cer is None:
        lib.tov_set_grava_cer_hook(lib.hook_types["TovGravaCERHook"](), None)
        _hooks.pop("grava_cer", None)
    else:
        def cer(user, text_a, text_b, day):
            try:
                record = grava_cer(_text(text_a), _text(text_b), from_days(day))
                return -1 if record is None else int(record)
            except Exception:  # noqa: BLE001
                import traceback
                traceback.print_exc()
                return -1
        _hooks["grava_cer"] = lib.hook_types["TovGravaCERHook"](cer)
        lib.tov_set_grava_cer_hook(_hooks["grava_cer"], None)
    if document is None:
        lib.tov_set_document_hook(lib.hook_types["TovDocumentHook"](), None)
        _hooks.pop("document", None)
    else:
        def doc(user, key, number, c28, c33, c45, kind, extra, recorded_at, day, text):
            try:
                record = document(_text(key), _text(number), _text(c28), _text(c33), _text(c45),
                                  _text(kind), _text(extra), from_days(recorded_at),
                                  from_days(day), _text(text))
                return -1 if record is None else int(record)
            except Exception:  # noqa: BLE001
                import traceback
                traceback.print_exc()
                return -1
        _hooks["document"] = lib.hook_types["TovDocumentHook"](doc)
        lib.tov_set_document_hook(_hooks["document"], None)


def create_control_row(branch, till, serial, md5=""):
    """Adds a new till's grand-total control row to Brindal.cds in the host
    folder (see tov_create_control_row); TovError when refused."""
    lib = library()
    if not lib.tov_create_control_row(encode(branch), encode(till), encode(serial), encode(md5)):
        raise TovError(last_error(), "create_control_row")


class Session:
    """A printer session as a context manager: StartImpFiscal on entry
    (TovError, with the printer's messages, when the port did not open),
    FechaPorta and StopImpFiscal on exit."""

    def __init__(self, bag):
        self.bag = bag

    def __enter__(self):
        result = call("StartImpFiscal", self.bag)
        if not result:
            messages = state.stMensagemTaa
            raise TovError(result.error or messages or "the port did not open", "StartImpFiscal")
        return self

    def __exit__(self, *exc):
        call("FechaPorta")
        call("StopImpFiscal")
        return False

    def __getattr__(self, name):
        return getattr(plain, name)
