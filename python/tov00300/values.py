"""Python values for the package's handles: bags, positional value arrays,
string lists and data sets, each owning its C handle.

Texts are str (the package is switched to UTF-8 at the boundary); dates are
datetime; data sets come from and go back to lists of dicts.
"""

import ctypes
import datetime

_EPOCH = datetime.datetime(1899, 12, 30)


def to_days(value):
    """A datetime (or date) as the package's day count."""
    if isinstance(value, datetime.datetime):
        return (value - _EPOCH).total_seconds() / 86400.0
    if isinstance(value, datetime.date):
        return float((value - _EPOCH.date()).days)
    return float(value)


def from_days(days):
    return _EPOCH + datetime.timedelta(days=days)


def encode(text):
    return None if text is None else str(text).encode("utf-8")


def read_text(function, *args):
    """Calls a text getter (buf, size last) and answers its text, or None."""
    size = 256
    while True:
        buffer = ctypes.create_string_buffer(size)
        length = function(*args, buffer, size)
        if length < 0:
            return None
        if length < size:
            return buffer.value.decode("utf-8")
        size = length + 1


def _store(lib, family, handle, where, value):
    """Hands a Python value to the family's typed setter (tov_bag_set_*,
    tov_values_set_*) at `where`; answers whether it was taken."""
    def setter(kind):
        return getattr(lib, f"tov_{family}_set_{kind}")
    if value is None:
        return setter("null")(handle, where)
    if isinstance(value, bool):
        return setter("bool")(handle, where, value)
    if isinstance(value, int):
        return setter("int")(handle, where, value)
    if isinstance(value, float):
        return setter("double")(handle, where, value)
    if isinstance(value, (datetime.date, datetime.datetime)):
        return setter("datetime")(handle, where, to_days(value))
    return setter("text")(handle, where, encode(value))


def _refused(what):
    from . import last_error
    raise ValueError(f"{what}: {last_error() or 'the value was refused'}")


class Handle:
    """A C handle the object owns and frees."""

    _free = None

    def __init__(self, lib, pointer):
        if not pointer:
            raise MemoryError("the package could not make the value")
        self._lib = lib
        self.pointer = pointer

    def __del__(self):
        pointer, self.pointer = getattr(self, "pointer", None), None
        if pointer and self._free:
            getattr(self._lib, self._free)(pointer)

    @property
    def _as_parameter_(self):
        return self.pointer


class Bag(Handle):
    """A parameter bag: (key, value) pairs, keys compared without regard to case."""

    _free = "tov_variant_free"

    def __init__(self, lib, pairs=None):
        super().__init__(lib, lib.tov_bag_new())
        for key, value in (pairs or {}).items():
            self[key] = value

    def __setitem__(self, key, value):
        if not _store(self._lib, "bag", self, encode(key), value):
            _refused(key)

    def __getitem__(self, key):
        value = read_text(self._lib.tov_bag_get_text, self, encode(key))
        if value is None:
            raise KeyError(key)
        return value

    def keys(self):
        count = max(self._lib.tov_array_count(self), 0)
        return [read_text(self._lib.tov_bag_key, self, i) for i in range(count)]

    def to_dict(self):
        """Every pair as text (the runtime's conversion rules)."""
        return {key: read_text(self._lib.tov_bag_get_text, self, encode(key))
                for key in self.keys()}


class Array(Handle):
    """A result array the package fills by index."""

    _free = "tov_variant_free"

    def __init__(self, lib, count):
        super().__init__(lib, lib.tov_array_new(count))

    def to_list(self):
        count = max(self._lib.tov_array_count(self), 0)
        return [read_text(self._lib.tov_array_get_text, self, i) for i in range(count)]


class Packet(Handle):
    """A data set's content as one value, for the names that take a data packet."""

    _free = "tov_variant_free"

    def __init__(self, lib, data_set):
        super().__init__(lib, lib.tov_variant_from_dataset(data_set))


class Values(Handle):
    """A positional value array: {position: value} or a list."""

    _free = "tov_values_free"

    def __init__(self, lib, values, count=None):
        items = dict(enumerate(values)) if isinstance(values, (list, tuple)) else dict(values)
        size = count if count is not None else (max(items) + 1 if items else 0)
        super().__init__(lib, lib.tov_values_new(size))
        self._keep = []
        for index, value in items.items():
            self[index] = value

    def __setitem__(self, index, value):
        lib = self._lib
        if isinstance(value, list):
            value = DataSet(lib, "", value)
        if isinstance(value, DataSet):
            done = lib.tov_values_set_dataset(self, index, value)
        else:
            done = _store(lib, "values", self, index, value)
        if not done:
            _refused(f"position {index}")


class Strings(Handle):
    """A list of texts."""

    _free = "tov_strings_free"

    def __init__(self, lib, texts=()):
        super().__init__(lib, lib.tov_strings_new())
        for text in texts:
            if not lib.tov_strings_add(self, encode(text)):
                from . import last_error
                raise ValueError(f"{text!r}: {last_error() or 'the text was refused'}")

    def to_list(self):
        count = self._lib.tov_strings_count(self)
        return [read_text(self._lib.tov_strings_get, self, i) for i in range(count)]


_FIELD_TYPES = [(bool, "B"), (int, "I"), (float, "F"), (datetime.date, "D")]


class DataSet(Handle):
    """A data set made from a list of dicts. `fields` gives the layout as
    (name, type letter, size) tuples (S text, I integer, F float, B boolean,
    D date-time); without it, names and types come from the rows' values and
    a text field is as wide as its longest value."""

    _free = "tov_dataset_free"

    def __init__(self, lib, name="", rows=(), fields=None):
        super().__init__(lib, lib.tov_dataset_new(encode(name)))
        rows = list(rows)
        for field_name, kind, size in fields or _infer_fields(rows):
            if not lib.tov_dataset_add_field(self, encode(field_name), kind.encode("ascii"), size):
                raise ValueError(f"field {field_name}: cannot be declared as {kind}")
        lib.tov_dataset_create(self)
        for row in rows:
            lib.tov_dataset_append(self)
            for key, value in row.items():
                self._set(key, value)
            if not lib.tov_dataset_post(self):
                from . import last_error
                raise ValueError(f"row {row}: {last_error()}")

    def _set(self, key, value):
        lib, k = self._lib, encode(key)
        if value is None:
            done = lib.tov_dataset_set_null(self, k)
        elif isinstance(value, bool):
            done = lib.tov_dataset_set_text(self, k, b"True" if value else b"False")
        elif isinstance(value, int):
            done = lib.tov_dataset_set_int(self, k, value)
        elif isinstance(value, (datetime.date, datetime.datetime)):
            done = lib.tov_dataset_set_double(self, k, to_days(value))
        elif isinstance(value, float):
            done = lib.tov_dataset_set_double(self, k, value)
        else:
            done = lib.tov_dataset_set_text(self, k, encode(value))
        if not done:
            _refused(key)

    def fields(self):
        lib = self._lib
        return [(read_text(lib.tov_dataset_field_name, self, i),
                 lib.tov_dataset_field_type(self, i).decode("ascii"))
                for i in range(lib.tov_dataset_field_count(self))]

    def rows(self):
        """Every row as a dict of Python values."""
        lib, fields, rows = self._lib, self.fields(), []
        lib.tov_dataset_first(self)
        while not lib.tov_dataset_eof(self):
            row = {}
            for name, kind in fields:
                text = read_text(lib.tov_dataset_get_text, self, encode(name))
                if text is None or kind == "S":
                    row[name] = text
                elif kind == "B":
                    row[name] = text.lower() in ("true", "1", "s")
                else:
                    number = ctypes.c_double()
                    lib.tov_dataset_get_double(self, encode(name), ctypes.byref(number))
                    row[name] = {"I": int, "F": float, "D": from_days}[kind](number.value)
            rows.append(row)
            lib.tov_dataset_next(self)
        return rows


def _infer_fields(rows):
    fields = {}
    for row in rows:
        for key, value in row.items():
            kind = next((k for t, k in _FIELD_TYPES if isinstance(value, t)), "S")
            width = len(encode(value) or b"") if kind == "S" else 0
            old = fields.get(key)
            fields[key] = (key, kind, max(width, old[2] if old else 0, 1 if kind == "S" else 0))
    return list(fields.values())
