#!/usr/bin/env python3
"""Checks the installation medium that the build lays out in build/medium.

Usage: check_medium.py CHECK --root MEDIUM [options]

CHECK is one of:
  layout     every model x system directory holds exactly its files, copies agree,
             and no file of the universal printer driver is on the medium
  gpd        the printer descriptions: structure, names, features, sizes, commands,
             and every display string in the resource DLL they name
  inf        KYVSETUP.INF: version, models, install sections, source files, and for
             each directory the files its model's install section copies
  dll        the DLLs: PE32, no code, no imports, version record, icons and strings
  generated  the committed GPDs and string tables equal make-gpd.py's output
  selftest   each of the checks above rejects a medium with one fault put in
"""

import argparse
import hashlib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from medium_files import (  # noqa: E402
    FormatError, Inf, PeImage, gpd_bad_hex, gpd_pair, gpd_string, parse_gpd,
    IMAGE_FILE_DLL, IMAGE_FILE_MACHINE_I386, RT_GROUP_ICON, RT_ICON)

# Model name -> (printer description, dependency file), as the wizard's catalogue has them.
MODELS = {
    "Kyv QL 610": ("QL610.GPD", "QL21.dll"),
    "Kyv QL 620": ("QL620.GPD", "QL22.dll"),
    "Kyv QL 630": ("QL630.GPD", "QL22.dll"),
}

# System short name (the directory) -> family.
SYSTEMS = {
    "Win95": "95", "Win98": "95", "WinME": "95",
    "WinNT40": "NT", "Win2000": "NT", "Win2003": "NT", "WinXP": "NT", "WinXPX64": "NT",
    "WinVista": "NT", "Win7": "NT", "Win7X64": "NT", "Win8": "NT", "Win8X64": "NT",
}

# What every directory of a family holds besides the model's GPD and dependency file.
FAMILY_FILES = {"95": {"ICONLIB.dll"}, "NT": {"KYVSETUP.INF"}}

# The system's own driver files: named by the driver records, never shipped.
UNIVERSAL_DRIVER_FILES = {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP",
                          "RASDD.DLL", "RASDDUI.DLL", "RASDDUI.HLP"}
# Installed with the universal driver by NTPRINT.INF: an INF may name them.
SYSTEM_FILES = UNIVERSAL_DRIVER_FILES | {"UNIRES.DLL", "STDNAMES.GPD"}

# Models whose widest label must be narrower than another's.
NARROWER_THAN = [("Kyv QL 610", "Kyv QL 620"), ("Kyv QL 610", "Kyv QL 630")]

REQUIRED_FEATURES = {"PaperSize", "Resolution", "InputBin", "Orientation"}
ORIENTATION_OPTIONS = {"PORTRAIT", "LANDSCAPE_CC90", "LANDSCAPE_CC270"}
REQUIRED_COMMANDS = {"CmdCR", "CmdLF", "CmdFF", "CmdSendBlockData"}
ORDERED_COMMANDS = {"CmdStartJob", "CmdStartDoc", "CmdStartPage", "CmdEndPage",
                    "CmdEndDoc", "CmdEndJob", "CmdCopies", "CmdSleepTimeOut"}
ORDER_SECTIONS = ("JOB_SETUP", "DOC_SETUP", "PAGE_SETUP", "PAGE_FINISH", "DOC_FINISH", "JOB_FINISH")
FORM_NAME_MAX = 31  # CCHFORMNAME less the terminator: paper names become form names

PRINTER_CLASS_GUID = "{4D36E979-E325-11CE-BFC1-08002BE10318}"
PNP_ENUMERATORS = ("USBPRINT\\", "LPTENUM\\", "DOT4PRT\\", "BTHPRINT\\", "WSDPRINT\\", "1394\\")
MODELS_SECTION_DECORATIONS = ("NTamd64",)  # the medium has x64 system directories


class Medium:
    def __init__(self, root, library, cmake_files):
        self.root = pathlib.Path(root)
        self.library = library
        self.cmake_files = set(cmake_files)

    def directory(self, model, system):
        return self.root / "Windows" / model / system

    def directories(self):
        for model in MODELS:
            for system in SYSTEMS:
                yield model, system, self.directory(model, system)

    def copies(self, name):
        """Every file of this name in the model x system directories."""
        return [d / name for _, _, d in self.directories() if (d / name).is_file()]


class Report:
    def __init__(self):
        self.failures = []

    def fail(self, message):
        self.failures.append(message)

    def expect(self, condition, message):
        if not condition:
            self.fail(message)
        return condition


def expected_files(model, system):
    gpd, dependency = MODELS[model]
    return {gpd, dependency} | FAMILY_FILES[SYSTEMS[system]]


def distinct_copies(medium, name, report):
    """One path per distinct content among the copies of a file."""
    by_digest = {}
    for path in medium.copies(name):
        by_digest.setdefault(hashlib.sha256(path.read_bytes()).hexdigest(), path)
    if len(by_digest) > 1:
        report.fail(f"copies of {name} differ: {sorted(str(p) for p in by_digest.values())}")
    return list(by_digest.values())


def read_pe(path, report):
    try:
        return PeImage(path.read_bytes())
    except (FormatError, IndexError, ValueError) as error:
        report.fail(f"{path}: not a readable PE image: {error}")
        return None


# ----------------------------------------------------------------------------- layout

def check_layout(medium, report):
    root = medium.root
    if not report.expect(root.is_dir(), f"{root}: medium not laid out"):
        return
    required = {"Corvane.exe", "Windows"} | ({"Corvane.dll"} if medium.library else set())
    entries = {p.name for p in root.iterdir()}
    for name in sorted(required - entries):
        report.fail(f"{root}: missing {name}")
    for name in sorted(entries - required - medium.cmake_files):
        report.fail(f"{root}: unexpected {name}")
    for name, want_dll in (("Corvane.exe", False), ("Corvane.dll", True)):
        if name in entries & required:
            image = read_pe(root / name, report)
            if image:
                report.expect(image.machine == IMAGE_FILE_MACHINE_I386
                              and bool(image.characteristics & IMAGE_FILE_DLL) == want_dll,
                              f"{name}: not a 32-bit x86 {'DLL' if want_dll else 'program'}")

    windows = root / "Windows"
    if not windows.is_dir():
        return
    models = {p.name for p in windows.iterdir()}
    report.expect(models == set(MODELS),
                  f"{windows}: model directories {sorted(models)}, expected {sorted(MODELS)}")
    for model in sorted(models & set(MODELS)):
        systems = {p.name for p in (windows / model).iterdir()}
        report.expect(systems == set(SYSTEMS),
                      f"{windows / model}: system directories {sorted(systems)}, expected {sorted(SYSTEMS)}")
    for model, system, directory in medium.directories():
        if not directory.is_dir():
            report.fail(f"{directory}: missing")
            continue
        present = {p.name for p in directory.iterdir()}
        want = expected_files(model, system)
        for name in sorted(want - present):
            report.fail(f"{directory}: missing {name}")
        for name in sorted(present - want):
            report.fail(f"{directory}: unexpected {name}")
        for name in sorted(want & present):
            path = directory / name
            report.expect(path.is_file() and path.stat().st_size > 0, f"{path}: not a non-empty file")

    # The same name must mean the same file wherever it lies.
    names = {name for model in MODELS for system in SYSTEMS for name in expected_files(model, system)}
    for name in sorted(names):
        distinct_copies(medium, name, report)

    for path in sorted(root.rglob("*")):
        if path.name.upper() in UNIVERSAL_DRIVER_FILES:
            report.fail(f"{path}: a universal printer driver file is the system's, not the medium's")


# ----------------------------------------------------------------------------- GPD

def gpd_info(path, model, dll_strings, report):
    """Checks one printer description; returns its widest page in master units."""
    where = str(path)
    text = path.read_text(encoding="ascii", errors="replace")
    report.expect(text.startswith("*GPDSpecVersion:"), f"{where}: *GPDSpecVersion must be the first entry")
    try:
        root = parse_gpd(text)
    except FormatError as error:
        report.fail(f"{where}: {error}")
        return None
    for chunk in gpd_bad_hex(text):
        report.fail(f"{where}: <{chunk}> is not hexadecimal bytes")

    def single(keyword):
        found = root.all(keyword)
        if not report.expect(len(found) == 1, f"{where}: expected one *{keyword}, found {len(found)}"):
            return None
        return found[0].value

    gpd_name, dependency = MODELS[model]
    expected_strings = {"GPDSpecVersion": "1.0", "GPDFileName": gpd_name, "ModelName": model,
                        "ResourceDLL": dependency}
    for keyword, want in expected_strings.items():
        value = single(keyword)
        if value is not None:
            report.expect(gpd_string(value) == want, f"{where}: *{keyword} is {value}, expected \"{want}\"")
    report.expect(single("PrinterType") in ("PAGE", "SERIAL", "TTY"), f"{where}: *PrinterType invalid")
    master = gpd_pair(single("MasterUnits") or "")
    if not report.expect(master is not None and min(master) > 0, f"{where}: *MasterUnits is not a positive PAIR"):
        master = (1, 1)

    # Display strings: every *rcNameID names a string of the resource DLL.
    for entry in root.walk():
        if entry.keyword == "rcNameID":
            report.expect(entry.value.isdigit() and int(entry.value) in dll_strings,
                          f"{where}:{entry.line}: *rcNameID {entry.value} is not a string of {dependency}")

    def display_name(entry):
        name = entry.all("Name")
        if name:
            return gpd_string(name[0].value)
        ids = entry.all("rcNameID")
        return dll_strings.get(int(ids[0].value)) if ids and ids[0].value.isdigit() else None

    orders = {}  # (section, number) -> what uses it

    def take_order(command, owner):
        order = command.all("Order")
        if not report.expect(len(order) == 1, f"{where}:{command.line}: {owner} needs one *Order"):
            return
        match = re.fullmatch(r"([A-Z_]+)\.(\d+)", order[0].value)
        if not report.expect(bool(match) and match.group(1) in ORDER_SECTIONS,
                             f"{where}:{command.line}: *Order {order[0].value} is not SECTION.number"):
            return
        key = (match.group(1), int(match.group(2)))
        report.expect(orders.setdefault(key, owner) == owner,
                      f"{where}:{command.line}: *Order {order[0].value} used by {orders[key]} and {owner}")

    features = {}
    for feature in root.all("Feature"):
        name = feature.value
        report.expect(name not in features, f"{where}:{feature.line}: feature {name} twice")
        features[name] = feature
        report.expect(display_name(feature), f"{where}:{feature.line}: feature {name} has no display name")
        options = feature.all("Option")
        option_names = [o.value for o in options]
        if not report.expect(options, f"{where}:{feature.line}: feature {name} has no *Option"):
            continue
        report.expect(len(set(option_names)) == len(option_names), f"{where}: feature {name} repeats an option")
        defaults = feature.all("DefaultOption")
        if report.expect(len(defaults) == 1, f"{where}:{feature.line}: feature {name} needs one *DefaultOption"):
            report.expect(defaults[0].value in option_names,
                          f"{where}:{defaults[0].line}: *DefaultOption {defaults[0].value} "
                          f"of {name} is none of its options {option_names}")
        for option in options:
            label = f"{name}.{option.value}"
            report.expect(display_name(option), f"{where}:{option.line}: option {label} has no display name")
            selects = [c for c in option.all("Command") if c.value == "CmdSelect"]
            if report.expect(len(selects) == 1, f"{where}:{option.line}: option {label} needs one CmdSelect"):
                take_order(selects[0], f"feature {name}")
                report.expect(len(selects[0].all("Cmd")) == 1, f"{where}:{option.line}: {label} CmdSelect has no *Cmd")
    for name in sorted(REQUIRED_FEATURES - set(features)):
        report.fail(f"{where}: required feature {name} missing")

    if "Orientation" in features:
        for option in features["Orientation"].all("Option"):
            report.expect(option.value in ORIENTATION_OPTIONS,
                          f"{where}:{option.line}: Orientation allows no option {option.value}")

    dpis = []
    for option in features["Resolution"].all("Option") if "Resolution" in features else []:
        dpi = gpd_pair(option.all("DPI")[0].value) if option.all("DPI") else None
        text_dpi = gpd_pair(option.all("TextDPI")[0].value) if option.all("TextDPI") else None
        report.expect(bool(option.all("SpotDiameter")), f"{where}:{option.line}: resolution needs *SpotDiameter")
        if not report.expect(dpi and text_dpi, f"{where}:{option.line}: resolution needs *DPI and *TextDPI PAIRs"):
            continue
        dpis.append(dpi)
        for axis in (0, 1):
            ratio = text_dpi[axis] / dpi[axis] if dpi[axis] > 0 else 0
            report.expect(ratio >= 1 and ratio == int(ratio) and int(ratio) & (int(ratio) - 1) == 0,
                          f"{where}:{option.line}: *DPI must be *TextDPI divided by a power of two")
            for value in (dpi[axis], text_dpi[axis]):
                report.expect(value > 0 and master[axis] % value == 0,
                              f"{where}:{option.line}: {value} dpi does not divide *MasterUnits")

    widest = 0
    for option in features["PaperSize"].all("Option") if "PaperSize" in features else []:
        label = f"PaperSize.{option.value}"
        pairs = {}
        for keyword in ("PageDimensions", "PrintableArea", "PrintableOrigin"):
            found = option.all(keyword)
            pairs[keyword] = gpd_pair(found[0].value) if len(found) == 1 else None
            report.expect(pairs[keyword] is not None, f"{where}:{option.line}: {label} needs one *{keyword} PAIR")
        display = display_name(option)
        report.expect(display is None or len(display) <= FORM_NAME_MAX,
                      f"{where}:{option.line}: {label} name {display!r} is longer than a form name")
        if None in pairs.values():
            continue
        size, area, origin = pairs["PageDimensions"], pairs["PrintableArea"], pairs["PrintableOrigin"]
        widest = max(widest, size[0])
        for axis in (0, 1):
            report.expect(area[axis] > 0 and origin[axis] >= 0 and origin[axis] + area[axis] <= size[axis],
                          f"{where}:{option.line}: {label} printable area leaves the page")
            for dpi in dpis:
                pixel = master[axis] // dpi[axis]
                report.expect(area[axis] % pixel == 0 and origin[axis] % pixel == 0,
                              f"{where}:{option.line}: {label} is not whole pixels at {dpi[axis]} dpi")

    commands = {}
    for command in root.all("Command"):
        name = command.value.split(":")[0].strip()
        commands[name] = command
        if name in ORDERED_COMMANDS:
            take_order(command, name)
    for name in sorted(REQUIRED_COMMANDS - set(commands)):
        report.fail(f"{where}: required command {name} missing")
    return widest


def check_gpd(medium, report):
    widest = {}
    for model, (gpd_name, dependency) in MODELS.items():
        copies = distinct_copies(medium, gpd_name, report)
        if not report.expect(copies, f"no {gpd_name} on the medium"):
            continue
        for path in copies:
            dll = path.parent / dependency
            image = read_pe(dll, report) if dll.is_file() else None
            report.expect(dll.is_file(), f"{path.parent}: no {dependency} beside {gpd_name}")
            widest[model] = gpd_info(path, model, image.strings() if image else {}, report)
    for narrow, wide in NARROWER_THAN:
        if widest.get(narrow) and widest.get(wide):
            report.expect(widest[narrow] < widest[wide],
                          f"{narrow}'s widest label ({widest[narrow]}) is not narrower than {wide}'s ({widest[wide]})")


# ----------------------------------------------------------------------------- INF

def copied_files(inf, section, where, report):
    files = []
    for fields in inf.values(section, "CopyFiles"):
        for field in fields:
            if field.startswith("@"):
                files.append(field[1:])
            elif field:
                listed = inf.section(field)
                if report.expect(listed is not None, f"{where}: CopyFiles section [{field}] missing"):
                    files += [key if key is not None else f[0] for key, f, _ in listed]
    return files


def inf_info(path, report):
    """Checks the INF as a whole; returns {model: (install section, copied files, data file)}."""
    where = str(path)
    try:
        inf = Inf(path.read_text(encoding="ascii"))
    except (FormatError, UnicodeDecodeError) as error:
        report.fail(f"{where}: {error}")
        return {}, None
    for token in sorted(inf.unresolved):
        report.fail(f"{where}: %{token}% has no entry in [Strings]")

    def version(key):
        found = inf.values("Version", key)
        return found[0][0] if len(found) == 1 and found[0] else None

    report.expect(version("Signature") == "$Windows NT$", f"{where}: Signature is not \"$Windows NT$\"")
    report.expect((version("Class") or "").lower() == "printer", f"{where}: Class is not Printer")
    report.expect((version("ClassGUID") or "").upper() == PRINTER_CLASS_GUID, f"{where}: ClassGUID is not the printer class")
    report.expect(bool(version("Provider")), f"{where}: Provider missing")
    driver_version = None
    dates = inf.values("Version", "DriverVer")
    match = re.fullmatch(r"(\d\d)/(\d\d)/(\d{4})", dates[0][0]) if len(dates) == 1 and len(dates[0]) == 2 else None
    numbers = re.fullmatch(r"(\d+)\.(\d+)\.(\d+)\.(\d+)", dates[0][1]) if match else None
    if report.expect(match and numbers and 1 <= int(match.group(1)) <= 12 and 1 <= int(match.group(2)) <= 31,
                     f"{where}: DriverVer is not mm/dd/yyyy,w.x.y.z"):
        driver_version = tuple(int(n) for n in numbers.groups())

    models_sections = []
    manufacturers = inf.section("Manufacturer") or []
    report.expect(manufacturers, f"{where}: [Manufacturer] missing or empty")
    for name, fields, line in manufacturers:
        base, decorations = fields[0], [f for f in fields[1:] if f]
        for decoration in MODELS_SECTION_DECORATIONS:
            report.expect(decoration.lower() in (d.lower() for d in decorations),
                          f"{where}:{line}: manufacturer {name} has no {decoration} models section")
        # Without decorations (Windows NT 4.0 and 2000) the plain section is read.
        models_sections += [base] + [f"{base}.{d}" for d in decorations]

    installs = {}
    for section in models_sections:
        lines = inf.section(section)
        if not report.expect(lines is not None, f"{where}: models section [{section}] missing"):
            continue
        described = [key for key, _, _ in lines]
        report.expect(sorted(described) == sorted(MODELS),
                      f"{where}: [{section}] describes {described}, expected {sorted(MODELS)}")
        for key, fields, line in lines:
            if key not in MODELS:
                continue
            install = fields[0] if fields else ""
            report.expect(any(i.upper().startswith(PNP_ENUMERATORS) for i in fields[1:]),
                          f"{where}:{line}: {key} has no Plug and Play hardware id")
            report.expect(installs.setdefault(key, install) == install,
                          f"{where}:{line}: {key} installs by [{install}] here and by [{installs[key]}] elsewhere")

    result = {}
    source_files = {k.lower(): f for k, f, _ in inf.section("SourceDisksFiles") or [] if k}
    disks = {k for k, _, _ in inf.section("SourceDisksNames") or [] if k}
    for model, install in installs.items():
        if not report.expect(inf.section(install) is not None, f"{where}: install section [{install}] missing"):
            continue
        files = copied_files(inf, install, where, report)
        data = inf.values(install, "DataFile")
        data_file = data[0][0] if len(data) == 1 and data[0] else None
        report.expect(data_file is not None and data_file in files,
                      f"{where}: [{install}] DataFile {data_file} is not among its CopyFiles {files}")
        report.expect([f.upper() for f in sum(inf.values(install, "DataSection"), [])] == ["UNIDRV_DATA"],
                      f"{where}: [{install}] DataSection is not UNIDRV_DATA")
        report.expect("NTPRINT.INF" in [f.upper() for f in sum(inf.values(install, "Include"), [])],
                      f"{where}: [{install}] does not Include NTPRINT.INF")
        report.expect("UNIDRV.OEM" in [f.upper() for f in sum(inf.values(install, "Needs"), [])],
                      f"{where}: [{install}] does not need UNIDRV.OEM")
        for name in files:
            if name.upper() in SYSTEM_FILES:
                continue
            disk = source_files.get(name.lower())
            report.expect(disk is not None and disk[0] in disks,
                          f"{where}: {name} has no [SourceDisksFiles] entry on a disk of [SourceDisksNames]")
        result[model] = (install, files, data_file)
    report.expect(inf.values("DestinationDirs", "DefaultDestDir") == [["66000"]],
                  f"{where}: DefaultDestDir is not the printer driver directory 66000")
    return result, driver_version


def check_inf(medium, report):
    copies = distinct_copies(medium, "KYVSETUP.INF", report)
    if not report.expect(copies, "no KYVSETUP.INF on the medium"):
        return
    for path in copies:
        installs, driver_version = inf_info(path, report)
        for model, system, directory in medium.directories():
            if SYSTEMS[system] != "NT" or model not in installs:
                continue
            if (directory / "KYVSETUP.INF").read_bytes() != path.read_bytes():
                continue
            install, files, data_file = installs[model]
            gpd_name, dependency = MODELS[model]
            report.expect(data_file == gpd_name, f"{directory}: [{install}] DataFile is {data_file}, not {gpd_name}")
            report.expect(dependency in files, f"{directory}: [{install}] does not copy {dependency}")
            for name in files:
                report.expect((directory / name).is_file() or name.upper() in SYSTEM_FILES,
                              f"{directory}: [{install}] copies {name}, which is not in the directory")
            dll = directory / dependency
            image = read_pe(dll, report) if dll.is_file() else None
            file_version = image.version()[0] if image else None
            report.expect(file_version == driver_version,
                          f"{directory}: DriverVer {driver_version} is not {dependency}'s version {file_version}")


# ----------------------------------------------------------------------------- DLL

def check_dll(medium, report):
    names = {n for m in MODELS for s in SYSTEMS for n in expected_files(m, s) if n.lower().endswith(".dll")}
    for name in sorted(names):
        copies = distinct_copies(medium, name, report)
        report.expect(copies, f"no {name} on the medium")
        for path in copies:
            image = read_pe(path, report)
            if not image:
                continue
            report.expect(image.machine == IMAGE_FILE_MACHINE_I386, f"{path}: not for x86")
            report.expect(image.characteristics & IMAGE_FILE_DLL, f"{path}: not a DLL")
            report.expect(image.entry_point == 0, f"{path}: has an entry point")
            report.expect(not image.code_sections(), f"{path}: has code sections {image.code_sections()}")
            report.expect(not image.imported_dlls(), f"{path}: imports from {image.imported_dlls()}")
            report.expect(not image.exported_names(), f"{path}: exports {image.exported_names()}")
            try:
                file_version, fields = image.version()
                resources = image.resources()
                strings = image.strings()
            except (FormatError, IndexError, ValueError, UnicodeDecodeError) as error:
                report.fail(f"{path}: unreadable resources: {error}")
                continue
            report.expect(file_version is not None, f"{path}: no version record")
            report.expect(fields.get("CompanyName") == "Kyv", f"{path}: CompanyName is {fields.get('CompanyName')!r}")
            report.expect(fields.get("OriginalFilename") == name,
                          f"{path}: OriginalFilename is {fields.get('OriginalFilename')!r}")
            report.expect(bool(fields.get("FileDescription")), f"{path}: no FileDescription")
            report.expect(file_version and fields.get("FileVersion") == ".".join(map(str, file_version)),
                          f"{path}: FileVersion {fields.get('FileVersion')!r} is not {file_version}")
            if name == "ICONLIB.dll":
                report.expect(resources.get(RT_GROUP_ICON) and resources.get(RT_ICON), f"{path}: no icon")
            else:
                report.expect(strings, f"{path}: no string table")


# ----------------------------------------------------------------------------- generated

def check_generated(source, report):
    generator = source / "gpd" / "make-gpd.py"
    with tempfile.TemporaryDirectory() as out:
        run = subprocess.run([sys.executable, str(generator), "--out", out], capture_output=True, text=True)
        if not report.expect(run.returncode == 0, f"{generator} failed: {run.stderr}"):
            return
        produced = sorted(os.listdir(out))
        report.expect(produced, f"{generator} wrote nothing")
        for name in produced:
            committed = source / ("gpd" if name.endswith(".GPD") else "resources") / name
            report.expect(committed.is_file() and committed.read_bytes() == pathlib.Path(out, name).read_bytes(),
                          f"{committed} differs from make-gpd.py's output: run python3 {generator}")


# ----------------------------------------------------------------------------- selftest

def every_copy(name, change):
    """A fault in every copy of a file, so that only the fault's own check trips."""
    def apply(root):
        for path in pathlib.Path(root, "Windows").rglob(name):
            change(path)
    return apply


def replace_text(old, new):
    def change(path):
        text = path.read_text(encoding="ascii")
        assert old in text, f"{old!r} not in {path}"
        path.write_text(text.replace(old, new, 1), encoding="ascii", newline="")
    return change


def add_file(relative):
    def apply(root):
        pathlib.Path(root, relative).write_bytes(b"MZ")
    return apply


def remove_file(relative):
    def apply(root):
        pathlib.Path(root, relative).unlink()
    return apply


def replace_with(source):
    def change(path):
        shutil.copyfile(source, path)
    return change


def swap_in(name, other):
    """Every copy of a file replaced by another file of the medium."""
    def apply(root):
        data = next(pathlib.Path(root, "Windows").rglob(other)).read_bytes()
        for path in pathlib.Path(root, "Windows").rglob(name):
            path.write_bytes(data)
    return apply


def drop_section(name):
    def change(path):
        text = path.read_text(encoding="ascii")
        start = text.index(f"[{name}]")
        end = text.find("\n[", start)
        path.write_text(text[:start] + text[end + 1:], encoding="ascii", newline="")
    return change


def faults(import_probe):
    """(what is wrong, check that must reject it, change to the medium, words of the failure)."""
    return [
        ("a model's dependency file is missing", "layout",
         remove_file("Windows/Kyv QL 620/Win7/QL22.dll"), "missing QL22.dll"),
        ("a system directory is missing", "layout",
         lambda root: shutil.rmtree(pathlib.Path(root, "Windows/Kyv QL 630/WinME")), "WinME"),
        ("an NT directory lacks the INF", "layout",
         remove_file("Windows/Kyv QL 610/WinNT40/KYVSETUP.INF"), "missing KYVSETUP.INF"),
        ("a 95 directory has the INF", "layout",
         add_file("Windows/Kyv QL 610/Win98/KYVSETUP.INF"), "unexpected KYVSETUP.INF"),
        ("the universal driver is in a model directory", "layout",
         add_file("Windows/Kyv QL 610/WinXP/UNIDRV.DLL"), "universal printer driver"),
        ("the universal driver's help, in lower case, at the top", "layout",
         add_file("rasddui.hlp"), "universal printer driver"),
        ("one INF copy differs", "layout",
         lambda root: replace_text("Kyv QL label printer installation medium", "Kyv medium")(
             pathlib.Path(root, "Windows/Kyv QL 620/Win8/KYVSETUP.INF")), "copies of KYVSETUP.INF differ"),
        ("the wizard is missing", "layout", remove_file("Corvane.exe"), "missing Corvane.exe"),
        ("GPDSpecVersion is not the first entry", "gpd",
         every_copy("QL610.GPD", replace_text('*GPDSpecVersion: "1.0"', '*% Kyv\n*GPDSpecVersion: "1.0"')),
         "must be the first entry"),
        ("GPDFileName names another file", "gpd",
         every_copy("QL620.GPD", replace_text('*GPDFileName: "QL620.GPD"', '*GPDFileName: "QL62.GPD"')),
         "*GPDFileName"),
        ("ModelName names another model", "gpd",
         every_copy("QL630.GPD", replace_text('*ModelName: "Kyv QL 630"', '*ModelName: "Kyv QL 620"')),
         "*ModelName"),
        ("a default option names no option", "gpd",
         every_copy("QL630.GPD", replace_text("*DefaultOption: Dpi300", "*DefaultOption: Dpi200")),
         "*DefaultOption Dpi200"),
        ("a closing brace is missing", "gpd",
         every_copy("QL610.GPD", replace_text("    }\n}\n\n*Feature: InputBin", "    }\n\n*Feature: InputBin")),
         "never closed"),
        ("a display string is not in the resource DLL", "gpd",
         every_copy("QL610.GPD", replace_text("*rcNameID: 1024", "*rcNameID: 1099")), "*rcNameID 1099"),
        ("a printable area leaves the page", "gpd",
         every_copy("QL620.GPD", replace_text("*PrintableOrigin: PAIR(36, 70)", "*PrintableOrigin: PAIR(136, 70)")),
         "leaves the page"),
        ("two features share a command order", "gpd",
         every_copy("QL630.GPD", replace_text("*Order: DOC_SETUP.13", "*Order: DOC_SETUP.12")),
         "DOC_SETUP.12 used by"),
        ("a required feature is missing", "gpd",
         every_copy("QL610.GPD", replace_text("*Feature: InputBin", "*Feature: Tray")),
         "required feature InputBin"),
        ("a command string has a broken hex byte", "gpd",
         every_copy("QL620.GPD", replace_text('"<1B>iB"', '"<1B1>iB"')), "not hexadecimal"),
        ("CopyFiles names a file the directory lacks", "inf",
         every_copy("KYVSETUP.INF", replace_text("@QL21.dll", "@QL23.dll")),
         "copies QL23.dll, which is not in the directory"),
        ("a directory lacks a file its install section copies", "inf",
         remove_file("Windows/Kyv QL 630/Win2003/QL22.dll"), "copies QL22.dll, which is not in the directory"),
        ("the x64 models section is missing", "inf",
         every_copy("KYVSETUP.INF", drop_section("Kyv.NTamd64")), "[Kyv.NTamd64] missing"),
        ("a model is missing from the models", "inf",
         every_copy("KYVSETUP.INF", replace_text("%KyvQL630%=KYV_QL630,USBPRINT\\KyvQL_630B09F\n", "")),
         "describes"),
        ("the class GUID is another class's", "inf",
         every_copy("KYVSETUP.INF", replace_text("{4D36E979-", "{4D36E978-")), "ClassGUID"),
        ("a string token has no string", "inf",
         every_copy("KYVSETUP.INF", replace_text("Provider=%Kyv%", "Provider=%Kyvv%")), "%Kyvv%"),
        ("the DriverVer version is not the DLLs'", "inf",
         every_copy("KYVSETUP.INF", replace_text(",1.0.0.1", ",1.0.0.2")), "DriverVer"),
        ("a resource DLL has code and imports", "dll",
         every_copy("QL21.dll", replace_with(import_probe)), "imports from"),
        ("a DLL has another DLL's version record", "dll",
         swap_in("QL22.dll", "QL21.dll"), "OriginalFilename"),
    ]


def check_selftest(medium, import_probe, report):
    checks = {"layout": check_layout, "gpd": check_gpd, "inf": check_inf, "dll": check_dll}
    for name, check in checks.items():
        clean = Report()
        check(medium, clean)
        if not report.expect(not clean.failures, f"the unchanged medium fails {name}: {clean.failures[:3]}"):
            return
    for what, check_name, change, words in faults(import_probe):
        with tempfile.TemporaryDirectory() as scratch:
            copy = pathlib.Path(scratch, "medium")
            shutil.copytree(medium.root, copy, ignore=shutil.ignore_patterns(*medium.cmake_files))
            change(copy)
            faulty = Report()
            checks[check_name](Medium(copy, medium.library, set()), faulty)
            report.expect(any(words in f for f in faulty.failures),
                          f"{check_name} does not reject a medium where {what}: "
                          f"got {faulty.failures[:3] or 'no failure'}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0],
                                     formatter_class=argparse.RawDescriptionHelpFormatter, epilog=__doc__)
    parser.add_argument("check", choices=["layout", "gpd", "inf", "dll", "generated", "selftest"])
    parser.add_argument("--root", type=pathlib.Path, help="the medium's top directory")
    parser.add_argument("--library", choices=["yes", "no"], default="yes", help="Corvane.dll belongs on the medium")
    parser.add_argument("--cmake-files", default="", help="comma-separated entries CMake keeps at the top")
    parser.add_argument("--source", type=pathlib.Path, default=pathlib.Path(__file__).resolve().parent.parent,
                        help="the medium's source folder")
    parser.add_argument("--import-probe", type=pathlib.Path, help="a DLL with code and imports (selftest)")
    args = parser.parse_args()

    report = Report()
    checks = {"layout": check_layout, "gpd": check_gpd, "inf": check_inf, "dll": check_dll}
    if args.check == "generated":
        check_generated(args.source, report)
    else:
        if args.root is None:
            parser.error("--root is required")
        medium = Medium(args.root, args.library == "yes", [n for n in args.cmake_files.split(",") if n])
        if args.check == "selftest":
            if args.import_probe is None:
                parser.error("--import-probe is required")
            check_selftest(medium, args.import_probe, report)
        else:
            checks[args.check](medium, report)
    for failure in report.failures:
        print(f"FAIL {failure}")
    print(f"{args.check}: {len(report.failures)} failure(s)")
    return 1 if report.failures else 0


if __name__ == "__main__":
    sys.exit(main())
