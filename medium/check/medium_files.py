"""Readers for the files on the installation medium: GPD printer descriptions, INF
setup files and PE images (resource-only DLLs). Each reader raises FormatError with
the place of the first thing it cannot read; the checks in check_medium.py judge the
content."""

import re
import struct


class FormatError(Exception):
    pass


# ----------------------------------------------------------------------------- GPD

class GpdEntry:
    """One *Keyword: value entry with the entries of its braces."""

    def __init__(self, keyword, value, line):
        self.keyword = keyword
        self.value = value
        self.line = line
        self.children = []

    def all(self, keyword):
        return [c for c in self.children if c.keyword == keyword]

    def walk(self):
        for child in self.children:
            yield child
            yield from child.walk()


def _gpd_events(text):
    """Entries and braces in file order, without comments: ('entry', text, line),
    ('{', None, line), ('}', None, line)."""
    events = []
    current = None  # characters of the entry being read
    line = 1
    i = 0
    at_line_start = True
    while i < len(text):
        c = text[i]
        if c == "\n":
            if current is not None:
                events.append(("entry", "".join(current).strip(), line))
                current = None
            line += 1
            i += 1
            at_line_start = True
            continue
        if at_line_start and c in " \t\r":
            i += 1
            continue
        if at_line_start and c == "+" and events and events[-1][0] == "entry" and current is None:
            # A line starting with + continues the previous entry.
            kind, previous, first_line = events.pop()
            current = list(previous + " ")
            at_line_start = False
            i += 1
            continue
        at_line_start = False
        if c == '"':
            end = text.find('"', i + 1)
            if end < 0 or "\n" in text[i:end]:
                raise FormatError(f"line {line}: unterminated string")
            if current is None:
                raise FormatError(f"line {line}: string outside an entry")
            current.append(text[i:end + 1])
            i = end + 1
            continue
        if c == "*" and text.startswith("*%", i) and (i == 0 or text[i - 1] in " \t\r\n"):
            end = text.find("\n", i)
            i = len(text) if end < 0 else end
            continue
        if c == "%" and current is not None:
            # A command argument such as %d{NumOfDataBytes}: its braces are not blocks.
            argument = re.compile(r"%%|%[A-Za-z]*(?:\[[^\]\n]*\])?\{[^{}\n]*\}").match(text, i)
            if not argument:
                raise FormatError(f"line {line}: malformed command argument")
            current.append(argument.group(0))
            i = argument.end()
            continue
        if c in "{}":
            if current is not None:
                events.append(("entry", "".join(current).strip(), line))
                current = None
            events.append((c, None, line))
            i += 1
            continue
        if current is None:
            if c in " \t\r":
                i += 1
                continue
            if c != "*":
                raise FormatError(f"line {line}: text outside an entry: {text[i:].splitlines()[0]!r}")
            current = []
        current.append(c)
        i += 1
    if current is not None:
        events.append(("entry", "".join(current).strip(), line))
    return events


def parse_gpd(text):
    """The root entry of a GPD text; raises FormatError for unbalanced braces, entries
    without a keyword and stray text."""
    root = GpdEntry("", "", 0)
    stack = [root]
    opened_at = []
    previous = None
    for kind, entry_text, line in _gpd_events(text):
        if kind == "entry":
            match = re.match(r"^\*([A-Za-z_][A-Za-z0-9_]*\??)\s*:\s*(.*)$", entry_text, re.S)
            if not match:
                raise FormatError(f"line {line}: not a *Keyword: value entry: {entry_text!r}")
            previous = GpdEntry(match.group(1), match.group(2).strip(), line)
            stack[-1].children.append(previous)
        elif kind == "{":
            if previous is None or previous not in stack[-1].children:
                raise FormatError(f"line {line}: brace without an entry before it")
            stack.append(previous)
            opened_at.append(line)
            previous = None
        else:
            if len(stack) == 1:
                raise FormatError(f"line {line}: closing brace without an opening one")
            stack.pop()
            opened_at.pop()
            previous = None
    if opened_at:
        raise FormatError(f"brace opened on line {opened_at[-1]} is never closed")
    return root


def gpd_string(value):
    match = re.fullmatch(r'"([^"]*)"', value)
    return match.group(1) if match else None


def gpd_pair(value):
    match = re.fullmatch(r"PAIR\(\s*(-?\d+)\s*,\s*(-?\d+)\s*\)", value)
    return (int(match.group(1)), int(match.group(2))) if match else None


def gpd_bad_hex(text):
    """The <...> pieces of quoted strings that are not whole bytes in hexadecimal."""
    bad = []
    for string in re.findall(r'"([^"\n]*)"', text):
        for chunk in re.findall(r"<([^>]*)>", string):
            digits = re.sub(r"\s", "", chunk)
            if not digits or len(digits) % 2 or not re.fullmatch(r"[0-9A-Fa-f]+", digits):
                bad.append(chunk)
    return bad


# ----------------------------------------------------------------------------- INF

class Inf:
    """An INF file as sections of lines; %tokens% are replaced from [Strings]."""

    def __init__(self, text):
        self.sections = {}  # lower-case name -> (name, [(key or None, [fields], line)])
        self.unresolved = set()
        raw = self._raw_lines(text)
        strings = {}
        current = None
        for line_no, content in raw:
            section = re.fullmatch(r"\[([^\]]+)\]", content)
            if section:
                name = section.group(1).strip()
                current = self.sections.setdefault(name.lower(), (name, []))[1]
                continue
            if current is None:
                raise FormatError(f"line {line_no}: text before the first section")
            key, fields = self._split(content)
            current.append((key, fields, line_no))
        for key, fields, _ in self.sections.get("strings", ("", []))[1]:
            if key is not None:
                strings[key.lower()] = fields[0] if fields else ""
        self.strings = strings
        for _, lines in self.sections.values():
            for index, (key, fields, line_no) in enumerate(lines):
                lines[index] = (self.resolve(key) if key is not None else None,
                                [self.resolve(f) for f in fields], line_no)

    @staticmethod
    def _raw_lines(text):
        lines = []
        pending, pending_line = "", 0
        for line_no, line in enumerate(text.splitlines(), 1):
            out, quoted = [], False
            for c in line:
                if c == '"':
                    quoted = not quoted
                elif c == ";" and not quoted:
                    break
                out.append(c)
            content = "".join(out).strip()
            if not pending:
                pending_line = line_no
            if content.endswith("\\") and not content.endswith("\\\\"):
                pending += content[:-1]
                continue
            content = (pending + content).strip()
            pending = ""
            if content:
                lines.append((pending_line, content))
        return lines

    @staticmethod
    def _split(content):
        key = None
        equals = re.match(r'^((?:"[^"]*"|[^="])*)=(.*)$', content)
        if equals:
            key = Inf._unquote(equals.group(1).strip())
            content = equals.group(2)
        fields, current, quoted = [], [], False
        for c in content:
            if c == '"':
                quoted = not quoted
            if c == "," and not quoted:
                fields.append("".join(current))
                current = []
            else:
                current.append(c)
        fields.append("".join(current))
        return key, [Inf._unquote(f.strip()) for f in fields]

    @staticmethod
    def _unquote(text):
        return text[1:-1] if len(text) >= 2 and text[0] == text[-1] == '"' else text

    def resolve(self, text):
        def token(match):
            name = match.group(1)
            if name == "":
                return "%"
            if name.lower() in self.strings:
                return self.strings[name.lower()]
            self.unresolved.add(name)
            return match.group(0)
        return re.sub(r"%([^%]*)%", token, text)

    def section(self, name):
        return self.sections.get(name.lower(), (name, None))[1]

    def values(self, section, key):
        """Fields of every line of the section whose key is this one (any case)."""
        lines = self.section(section) or []
        return [fields for k, fields, _ in lines if k is not None and k.lower() == key.lower()]


# ----------------------------------------------------------------------------- PE

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION = 3, 6, 14, 16
IMAGE_FILE_DLL = 0x2000
IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_SCN_CNT_CODE = 0x20
IMAGE_SCN_MEM_EXECUTE = 0x20000000


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise FormatError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise FormatError("no PE signature")
        (self.machine, sections, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        if self.magic != 0x10B:
            raise FormatError(f"optional header magic {self.magic:#x}, not PE32 (0x10b)")
        self.entry_point = struct.unpack_from("<I", data, optional + 16)[0]
        count = struct.unpack_from("<I", data, optional + 92)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(sections):
            at = optional + optional_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode("ascii", "replace")
            vsize, va, raw_size, raw_at = struct.unpack_from("<IIII", data, at + 8)
            flags = struct.unpack_from("<I", data, at + 36)[0]
            self.sections.append((name, va, max(vsize, raw_size), raw_at, flags))

    def offset(self, rva):
        for _, va, size, raw_at, _ in self.sections:
            if va <= rva < va + size:
                return raw_at + rva - va
        raise FormatError(f"RVA {rva:#x} lies in no section")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def code_sections(self):
        return [s[0] for s in self.sections if s[4] & (IMAGE_SCN_CNT_CODE | IMAGE_SCN_MEM_EXECUTE)]

    def imported_dlls(self):
        rva, size = self.directory(1)
        names = []
        if not size:
            return names
        at = self.offset(rva)
        while True:
            descriptor = struct.unpack_from("<IIIII", self.data, at)
            if not any(descriptor):
                return names
            end = self.data.index(b"\0", self.offset(descriptor[3]))
            names.append(self.data[self.offset(descriptor[3]):end].decode("ascii", "replace"))
            at += 20

    def exported_names(self):
        rva, size = self.directory(0)
        if not size:
            return []
        directory = self.offset(rva)
        count = struct.unpack_from("<I", self.data, directory + 24)[0]  # NumberOfNames
        names_rva = struct.unpack_from("<I", self.data, directory + 32)[0]  # AddressOfNames
        names = []
        for i in range(count):
            name_at = self.offset(struct.unpack_from("<I", self.data, self.offset(names_rva) + 4 * i)[0])
            names.append(self.data[name_at:self.data.index(b"\0", name_at)].decode("ascii", "replace"))
        return names

    def resources(self):
        """{type: {name: bytes}} of the first language of each resource."""
        rva, size = self.directory(2)
        if not size:
            return {}
        base = self.offset(rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                yield name, target

        result = {}
        for rtype, type_dir in entries(base):
            if not type_dir & 0x80000000:
                raise FormatError("resource type entry is not a directory")
            for name, name_dir in entries(base + (type_dir & 0x7FFFFFFF)):
                for _, leaf in entries(base + (name_dir & 0x7FFFFFFF)):
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    result.setdefault(rtype, {})[name] = self.data[at:at + data_size]
                    break
        return result

    def strings(self):
        """{id: text} of the string table."""
        table = {}
        for block, data in self.resources().get(RT_STRING, {}).items():
            at = 0
            for i in range(16):
                length = struct.unpack_from("<H", data, at)[0]
                text = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                if length:
                    table[(block - 1) * 16 + i] = text
                at += 2 + 2 * length
        return table

    def version(self):
        """(file version tuple, {string name: value}) from the version resource."""
        blocks = self.resources().get(RT_VERSION, {})
        if not blocks:
            return None, {}
        data = next(iter(blocks.values()))
        key, value, _, children = _version_block(data, 0)[0]
        if key != "VS_VERSION_INFO" or len(value) < 52:
            raise FormatError("version resource is not a VS_VERSION_INFO with fixed information")
        signature, _, ms, ls = struct.unpack_from("<IIII", value, 0)
        if signature != 0xFEEF04BD:
            raise FormatError("VS_FIXEDFILEINFO signature missing")
        fields = {}
        for child in children:
            if child[0] == "StringFileInfo":
                for table in child[3]:
                    for name, text, _, _ in table[3]:
                        fields[name] = text.decode("utf-16-le").split("\0")[0]
        return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), fields


def _align4(n):
    return (n + 3) & ~3


def _version_block(data, at):
    length, value_length, value_type = struct.unpack_from("<HHH", data, at)
    p = at + 6
    end_key = p
    while data[end_key:end_key + 2] != b"\0\0":
        end_key += 2
    key = data[p:end_key].decode("utf-16-le")
    p = _align4(end_key + 2)
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[p:p + value_bytes]
    p = _align4(p + value_bytes)
    children = []
    while p < at + length:
        child, child_length = _version_block(data, p)
        children.append(child)
        p = _align4(p + child_length)
    return (key, value, value_type, children), length
