"""Loading libtov00300 and declaring its C functions to ctypes.

The signatures are not written here: the library hands out every declaration
of its C header (tov_declarations), made from the same lists the header
declares its functions from, and each one is turned into ctypes types.
"""

import ctypes
import os
import re

_LIBRARY_NAME = "libtov00300.so.1"

# C types of the header -> ctypes.
_SCALARS = {
    "void": None,
    "bool": ctypes.c_bool,
    "int": ctypes.c_int,
    "double": ctypes.c_double,
    "char": ctypes.c_char,
    "const char*": ctypes.c_char_p,
    "char*": ctypes.c_char_p,
    "const char**": ctypes.POINTER(ctypes.c_char_p),
    "double*": ctypes.POINTER(ctypes.c_double),
    "bool*": ctypes.POINTER(ctypes.c_bool),
    "void*": ctypes.c_void_p,
}
_HANDLES = ("TovVariant", "TovValues", "TovStrings", "TovDataSet")


class Parameter:
    """One parameter of a declaration: its C type and name."""

    def __init__(self, ctype, name):
        self.ctype = ctype
        self.name = name

    def __repr__(self):
        return f"{self.ctype} {self.name}"


class Declaration:
    """One line of tov_declarations(): kind, result type, name, parameters."""

    def __init__(self, kind, result, name, parameters):
        self.kind = kind
        self.result = result
        self.name = name
        self.parameters = parameters


def _normalise(ctype):
    ctype = re.sub(r"\s*\*", "*", ctype.strip())
    return re.sub(r"\s+", " ", ctype)


def _parse_parameters(text):
    inner = text.strip()[1:-1].strip()
    if inner in ("", "void"):
        return []
    parameters = []
    for part in inner.split(","):
        part = _normalise(part)
        match = re.match(r"^(.*?[\s*])([A-Za-z_][A-Za-z0-9_]*)$", part)
        if not match:
            raise ValueError(f"cannot read the parameter {part!r}")
        parameters.append(Parameter(_normalise(match.group(1)), match.group(2)))
    return parameters


def parse_declarations(text):
    """The declarations of the C header, by name."""
    declarations = {}
    for line in text.splitlines():
        if not line:
            continue
        kind, result, name, parameters = line.split("|")
        declarations[name] = Declaration(kind, _normalise(result), name,
                                         _parse_parameters(parameters))
    return declarations


class Library:
    """The loaded package with every C function declared to ctypes."""

    def __init__(self, path=None):
        self.path = path or find_library()
        self.dll = ctypes.CDLL(self.path)
        self.dll.tov_declarations.restype = ctypes.c_char_p
        self.dll.tov_declarations.argtypes = []
        self.declarations = parse_declarations(self.dll.tov_declarations().decode("ascii"))
        self.hook_types = {}
        for declaration in self.declarations.values():
            if declaration.kind == "hook":
                self.hook_types[declaration.name] = ctypes.CFUNCTYPE(
                    self.ctype(declaration.result),
                    *[self.ctype(p.ctype) for p in declaration.parameters])
        for declaration in self.declarations.values():
            if declaration.kind in ("plain", "function"):
                self._declare(declaration.name, declaration.result,
                              [p.ctype for p in declaration.parameters])
            elif declaration.kind == "text":
                self._declare("tov_get_" + declaration.name, "int", ["char*", "int"])
                self._declare("tov_set_" + declaration.name, "bool", ["const char*"])
            elif declaration.kind == "scalar":
                self._declare("tov_get_" + declaration.name, declaration.result, [])
                self._declare("tov_set_" + declaration.name, "void", [declaration.result])

    def ctype(self, ctype):
        if ctype in _SCALARS:
            return _SCALARS[ctype]
        if ctype.replace("const ", "").rstrip("*") in _HANDLES and ctype.endswith("*"):
            return ctypes.c_void_p
        if ctype in self.hook_types:
            return self.hook_types[ctype]
        raise TypeError(f"the C type {ctype!r} has no ctypes form here")

    def _declare(self, name, result, parameters):
        function = getattr(self.dll, name)
        function.restype = self.ctype(result)
        function.argtypes = [self.ctype(p) for p in parameters]

    def __getattr__(self, name):
        return getattr(self.dll, name)


def find_library():
    """Where libtov00300 is: $TOV00300_LIBRARY, the install this package came
    with, or the system's library search path."""
    explicit = os.environ.get("TOV00300_LIBRARY")
    if explicit:
        return explicit
    try:
        from . import _install  # written by `cmake --install`
        here = os.path.dirname(os.path.abspath(__file__))
        candidate = os.path.normpath(os.path.join(here, _install.LIBRARY))
        if os.path.exists(candidate):
            return candidate
    except ImportError:
        pass
    return _LIBRARY_NAME
