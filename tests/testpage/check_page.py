#!/usr/bin/env python3
"""Checks a test page printed through Wine's PostScript driver.

The expected page is built here from the page's own rules (catalogue, system names,
system-dependent values, line order), independently of the program's tables. The
PostScript is turned into positioned text with ghostscript's txtwrite and into a
picture, and every printed line is matched in order against the expectation: labels
and values in their columns, wrapped lines within the printable area, one page.
"""
import argparse
import datetime
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

# ---- What the page says -------------------------------------------------------

MODELS = [  # name, 95 driver file, dependency file, data file
    ("Kyv QL 610", "", "QL21.dll", "QL610.GPD"),
    ("Kyv QL 620", "", "QL22.dll", "QL620.GPD"),
    ("Kyv QL 630", "", "QL22.dll", "QL630.GPD"),
]

DISPLAY_NAMES = {
    1: "Windows 95", 2: "Windows 98", 3: "Windows ME", 4: "Windows N.T 4.0", 5: "Windows 2000",
    6: "Windows 2003", 7: "Windows XP", 8: "Windows XP X64", 9: "Windows Vista", 10: "Windows 7",
    11: "Windows 7 X64", 12: "Windows 8", 13: "Windows 8 X64",
}

DRIVER_VERSIONS = {
    1: "4.00", 2: "4.10", 3: "4.90", 4: "4.00", 5: "5.00", 6: "5.02", 7: "5.01", 8: "5.02",
    9: "6.00", 10: "6.01", 11: "6.01", 12: "6.02", 13: "6.02",
}

SENTENCE = "If you can read this information, you have correctly installed your "
DESCRIBES = "The information below describes your printer driver settings."
FILES_HEADING = "Additional files used by this driver:"
CLOSING = "This is the end of the printer test page."
TIME = object()  # stands for the time stamp, checked against the clock


def family(code):
    if 1 <= code <= 3:
        return "95"
    if code == 4:
        return "nt4"
    if 5 <= code <= 13:
        return "nt5"
    return None


def system_values(code, model):
    name, driver95, _, _ = model
    fam = family(code)
    driver = {"nt4": "RASDD.DLL", "nt5": "UNIDRV.DLL"}.get(fam, driver95)
    help_file = "RASDDUI.HLP" if fam == "nt4" else "Unidrv.Hlp"
    return driver, fam == "nt5", help_file, DRIVER_VERSIONS.get(code, "")


def full_page_rows(code, model, facts):
    """Rows of the full page in order: (kind, text, value, advance), kind "text",
    "wrapped" or "pair"; advance "L1" (tmHeight + external leading), "L2" (twice
    tmHeight + external leading), "h+tm" (wrapped height + tmHeight) or None."""
    name, driver95, dependency, data_file = model
    driver, data_line, help_file, version = system_values(code, model)

    def pair(label, value, advance="L1"):
        return ("pair", label, value, advance)

    rows = [
        ("text", "Congratulations!", None, "L2"),
        ("wrapped", SENTENCE + name + ".", None, "h+tm"),
        ("text", DESCRIBES, None, "L2"),
        pair("OS Version :", DISPLAY_NAMES.get(code, "")),
        pair("Submitted Time:", TIME),
        pair("Computer Name:", facts["computer"]),
        pair("Printer Name:", facts["printer"]),
        pair("Printer Model:", name),
        pair("Color Support:", "No"),
        pair("Port Name:", facts["port"]),
        pair("Data Format:", "RAW"),
        pair("Driver Name:", driver),
    ]
    if data_line:
        rows.append(pair("Data File:", data_file))
    rows += [pair("Help File:", help_file), pair("Driver Version:", version), pair("Default Datatype:", "RAW", "L2")]
    directory = facts["directory"]
    fam = family(code)
    if fam == "95":
        rows += [("text", FILES_HEADING, None, "L1"), ("text", directory + "\\ICONLIB.DLL", None, "L1"),
                 ("text", directory + "\\" + driver95, None, "L2")]
    elif fam == "nt4":
        rows += [("text", directory + "\\" + driver95, None, "L2")]
    elif fam == "nt5":
        rows += [("text", FILES_HEADING, None, "L1"), ("text", directory + "\\" + dependency, None, "L2")]
    if fam:
        rows.append(("text", CLOSING, None, None))
    return rows


def receipt_lines(code, model, facts):
    """Lines of the receipt page in order, one column: (text, advance), advance "h"
    (the line's drawn height), "h+Lh" (plus a heading-font line), "2h" or None. The
    first two lines are in the heading font."""
    name, _, dependency, data_file = model
    driver, data_line, help_file, version = system_values(code, model)
    lines = [("Kyv", "h"), ("Printer Test Page", "h+Lh"), ("Congratulations!", "h+Lh"),
             (SENTENCE + name + ".", "h+Lh"), (DESCRIBES, "h+Lh")]
    single = [
        "OS Version:", DISPLAY_NAMES.get(code, ""),
        "Submitted Time:", TIME,
        "Computer Name:", facts["computer"],
        "Printer Name:", facts["printer"],
        "Printer Model:", name,
        "Color Support: No",
        "Port Name:", facts["port"],
        "Data Format:", "RAW",
        "Driver Name:", driver,
    ]
    if data_line:
        single += ["Data File:", data_file]
    single += ["Help File:", help_file, "Driver Version:", version, "Default Datatype:"]
    lines += [(text, "h") for text in single]
    lines.append(("RAW", "2h"))
    directory = facts["directory"]
    fam = family(code)
    if fam == "95":
        lines += [(FILES_HEADING, "2h"), (directory + "\\ICONLIB.DLL", "h"), (directory + "\\" + dependency, "2h")]
    elif fam == "nt5":
        lines += [(FILES_HEADING, "2h"), (directory + "\\UNIRES.DLL", "h"), (directory + "\\STDNAMES.GPD", "h"),
                  (directory + "\\" + dependency, "2h")]
    lines.append((CLOSING, None))
    return lines


# ---- Reading what was printed ---------------------------------------------------

class Failures:
    def __init__(self):
        self.items = []

    def check(self, condition, message):
        if not condition:
            self.items.append(message)
        return condition


def normal(text):
    """txtwrite gives the downloaded font's blank as U+00A0 and may split a run at
    blanks: compare with single blanks."""
    return " ".join(text.replace("\u00a0", " ").split())


def read_report(path):
    report = {}
    for line in Path(path).read_text().splitlines():
        key, _, value = line.partition("=")
        report[key] = value
    return report


def read_ppd(path):
    text = Path(path).read_text(encoding="latin-1")
    dpi = int(re.search(r"^\*DefaultResolution:\s*(?:\d+x)?(\d+)dpi", text, re.M).group(1))
    size = re.search(r"^\*DefaultImageableArea:\s*(\S+)", text, re.M).group(1)
    area = re.search(r"^\*ImageableArea " + re.escape(size) + r"[/:][^\"]*\"([^\"]+)\"", text, re.M).group(1)
    left, bottom, right, top = (float(v) for v in area.split())
    height = float(re.search(r"^\*PaperDimension " + re.escape(size) + r"[/:][^\"]*\"[\d.]+ ([\d.]+)\"", text,
                             re.M).group(1))
    # In txtwrite's frame: points from the top-left corner of the paper.
    return {"dpi": dpi, "left": left, "right": right, "top": height - top, "bottom": height - bottom}


def fix_default_size_fonts(ps_in, ps_out, em):
    """Wine writes a font of the default height (0) as a zero matrix, which ghostscript
    cannot draw; give it the em size GDI measured. Positions are not affected."""
    data = Path(ps_in).read_bytes()
    zero = b"\n[0 0 0 0 0 0]\nmakefont"
    fixed = data.replace(zero, f"\n[{em} 0 0 -{em} 0 0]\nmakefont".encode())
    Path(ps_out).write_bytes(fixed)
    return data.count(zero)


def ghostscript(device, ps, output, *extra):
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", f"-sDEVICE={device}", *extra,
                    f"-sOutputFile={output}", str(ps)], check=True, timeout=60)


class Span:
    def __init__(self, element):
        x0, y0, x1, _ = (float(v) for v in element.get("bbox").split())
        self.x0, self.y, self.x1 = x0, y0, x1
        self.size = float(element.get("size"))
        self.chars = [(float(c.get("bbox").split()[0]), float(c.get("bbox").split()[2]), c.get("c"))
                      for c in element.iter("char")]
        self.text = "".join(c for _, _, c in self.chars)


def read_rows(xml_path):
    """Pages of visual rows: spans with the same baseline, left to right."""
    pages = []
    # One <page> element per page, side by side: give them a common root.
    document = ElementTree.fromstring("<pages>" + Path(xml_path).read_text(encoding="utf-8") + "</pages>")
    for page in document.iter("page"):
        by_y = {}
        for element in page.iter("span"):
            span = Span(element)
            if normal(span.text):
                by_y.setdefault(span.y, []).append(span)
        pages.append([sorted(spans, key=lambda s: s.x0) for _, spans in sorted(by_y.items())])
    return pages


def cells(row, columns):
    """Splits a row into cells, each starting at one of the columns (within a point)."""
    result = []
    for span in row:
        starts = [c for c in columns if abs(span.x0 - c) <= 1.0]
        if starts or not result:
            result.append({"x": starts[0] if starts else span.x0, "text": span.text, "right": span.x1,
                           "spans": [span]})
        else:
            result[-1]["text"] += " " + span.text
            result[-1]["right"] = span.x1
            result[-1]["spans"].append(span)
    for cell in result:
        cell["text"] = normal(cell["text"])
    return result


def first_word_width(row):
    chars = [c for span in row for c in span.chars]
    word = []
    for x0, x1, c in chars:
        if normal(c) == "" and word:
            break
        if normal(c):
            word.append((x0, x1))
    return word[-1][1] - word[0][0] if word else 0.0


def stamps_between(start, end):
    """Every time stamp the page may show for a print between start and end."""
    stamps = set()
    for second in range(int(start), int(end) + 1):
        t = datetime.datetime.fromtimestamp(second)
        hour, meridiem = (t.hour, "AM") if t.hour <= 12 else (t.hour - 12, "PM")
        stamps.add(f"{hour}:{t.minute}:{t.second} {meridiem} {t.month}/{t.day}/{t.year}")
    return stamps


# ---- Matching ----------------------------------------------------------------------

def match_wrapped(rows, i, expected, left, area, fail, expect_wrap, what):
    """Consumes the rows of one wrapped text starting at rows[i]; returns the next index."""
    joined, used = "", 0
    while i + used < len(rows) and len(joined) < len(expected):
        row_cells = cells(rows[i + used], [left])
        if not fail.check(len(row_cells) == 1 and row_cells[0]["x"] == left,
                          f"{what}: row {i + used} is not one cell at x={left}: {[c['text'] for c in row_cells]}"):
            return i + used + 1
        fail.check(row_cells[0]["right"] <= area["right"] + 0.5,
                   f"{what}: '{row_cells[0]['text']}' runs past the printable area's right edge")
        joined = normal(joined + " " + row_cells[0]["text"])
        used += 1
    fail.check(joined == normal(expected), f"{what}: expected '{expected}', printed '{joined}'")
    if expect_wrap:
        fail.check(used >= 2, f"{what}: expected to wrap, printed on {used} row(s)")
        # Wrapped at the right edge, not before it: the next word would not have fit.
        for k in range(used - 1):
            first = cells(rows[i + k], [left])[0]
            fail.check(first["right"] + first_word_width(rows[i + k + 1]) > area["right"] - 2.0,
                       f"{what}: row '{first['text']}' was broken before the right edge")
    return i + used


def check_steps(placed, rows, step_of, what_of, dpi, fail):
    """Each drawn line's baseline stands its predecessor's advance below it. placed
    holds (line, first row, rows used) for consecutive drawn lines; txtwrite gives
    whole points, so a point of rounding is allowed."""
    for (line, first, used), (next_line, next_first, _) in zip(placed, placed[1:]):
        step = step_of(line, used, next_line)
        if step is None:
            continue
        got = rows[next_first][0].y - rows[first][0].y
        fail.check(abs(got - step * 72.0 / dpi) <= 1.0,
                   f"{what_of(next_line)} stands {got}pt below {what_of(line)}, "
                   f"expected {step * 72.0 / dpi:.2f}pt")


def check_full(pages, rows_expected, area, report, started, ended, expect_wrap, fail):
    dpi = area["dpi"]
    x1 = area["left"] + 72.0            # one inch into the printable area
    x3 = area["left"] + 3 * 72.0        # three inches
    rows = pages[0]
    stamps = stamps_between(started, ended)
    # The first line's top stands one inch, the header's exact height and a quarter
    # inch below the printable area's top; txtwrite reports baselines.
    scr_y = int(report["screen.dpi_y"])
    top_px = int(82 * dpi / scr_y + dpi + dpi * 0.25)
    baseline = area["top"] + (top_px + int(report["page.ascent"])) * 72.0 / dpi
    if rows:
        fail.check(abs(rows[0][0].y - baseline) <= 1.0,
                   f"first line's baseline at {rows[0][0].y}, expected {baseline:.1f}")
    size = (int(report["page.height"]) - int(report["page.internal_leading"])) * 72.0 / dpi
    i = 0
    placed = []
    for n, (kind, text, value, _) in enumerate(rows_expected):
        what = f"line '{text}'"
        if not fail.check(i < len(rows), f"{what}: missing, the page ends before it"):
            return
        first = i
        if kind == "wrapped":
            i = match_wrapped(rows, i, text, x1, area, fail, expect_wrap, what)
        else:
            row_cells = cells(rows[i], [x1, x3])
            i += 1
            got = [(c["x"], c["text"]) for c in row_cells]
            if kind == "text":
                fail.check(got == [(x1, normal(text))], f"{what}: printed {got}")
            elif value is TIME:
                ok = len(got) == 2 and got[0] == (x1, text) and got[1][0] == x3 and got[1][1] in stamps
                fail.check(ok, f"{what}: printed {got}, expected a time stamp between the print's start and end")
            elif value == "":
                fail.check(got == [(x1, text)], f"{what}: expected an empty value, printed {got}")
            else:
                fail.check(got == [(x1, text), (x3, normal(value))],
                           f"{what}: expected '{value}' at {x3}, printed {got}")
        placed.append((n, first, i - first))
        for row in rows[first:i]:
            fail.check(all(abs(span.size - size) < 0.05 for span in row), f"{what}: not in the page font")
    fail.check(i == len(rows),
               f"unexpected rows after the last line: {[normal(''.join(s.text for s in r)) for r in rows[i:]]}")

    tm = int(report["page.height"])
    external = int(report["page.external_leading"])

    def step_of(line, used, _):
        return {"L1": tm + external, "L2": 2 * tm + external, "h+tm": used * tm + tm}[rows_expected[line][3]]

    check_steps(placed, rows, step_of, lambda line: f"'{rows_expected[line][1]}'", dpi, fail)


def check_receipt(pages, lines_expected, area, report, started, ended, expect_wrap, fail):
    dpi = area["dpi"]
    left = area["left"] + int(dpi * 0.5) * 72.0 / dpi
    rows = pages[0]
    stamps = stamps_between(started, ended)
    baseline = area["top"] + (int(0.5 * dpi) + int(report["heading.ascent"])) * 72.0 / dpi
    if rows:
        fail.check(abs(rows[0][0].y - baseline) <= 1.0,
                   f"first line's baseline at {rows[0][0].y}, expected {baseline:.1f}")
    # Left edges are whole points in txtwrite: compare with the rounded margin.
    left_pt = round(left)
    i = 0
    placed = []
    for n, (expected, _) in enumerate(lines_expected):
        if expected == "":
            # An empty value draws nothing and advances by nothing: the next line
            # takes its place, and the step before it is not known here.
            placed.append((n, None, 0))
            continue
        what = f"line {n} '{expected if expected is not TIME else 'time stamp'}'"
        if not fail.check(i < len(rows), f"{what}: missing, the page ends before it"):
            return
        first = i
        if expected is TIME:
            got = cells(rows[i], [left_pt])
            fail.check(len(got) == 1 and got[0]["x"] == left_pt and got[0]["text"] in stamps,
                       f"{what}: printed {[(c['x'], c['text']) for c in got]}")
            i += 1
        else:
            wraps = expect_wrap and expected.startswith(SENTENCE)
            i = match_wrapped(rows, i, expected, left_pt, area, fail, wraps, what)
        placed.append((n, first, i - first))
    fail.check(i == len(rows),
               f"unexpected rows after the last line: {[normal(''.join(s.text for s in r)) for r in rows[i:]]}")

    # Heading lines in the heading font, the rest in the body font (em sizes in points).
    def em(font):
        return (int(report[f"{font}.height"]) - int(report[f"{font}.internal_leading"])) * 72.0 / dpi

    for n, first, used in placed:
        font = "heading" if n < 2 else "body"
        sizes = {round(span.size, 2) for row in rows[first:first + used] for span in row} if used else set()
        fail.check(all(abs(size - em(font)) < 0.05 for size in sizes),
                   f"line {n}: printed at {sizes}pt, expected the {font} font's {em(font):.2f}pt")

    # Steps: h is the rows drawn times the line's font height; Lh is the heading font's
    # line height, also below the body lines; the change of font moves the baseline by
    # the difference of the ascents.
    heading_tm, body_tm = int(report["heading.height"]), int(report["body.height"])
    lh = heading_tm + int(report["heading.external_leading"])
    ascent_change = int(report["body.ascent"]) - int(report["heading.ascent"])

    def step_of(line, used, next_line):
        if next_line != line + 1:
            return None   # an empty line lies between
        h = used * (heading_tm if line < 2 else body_tm)
        step = {"h": h, "h+Lh": h + lh, "2h": 2 * h}[lines_expected[line][1]]
        return step + (ascent_change if line == 1 else 0)

    drawn = [p for p in placed if p[2]]
    check_steps(drawn, rows, step_of, lambda line: f"line {line}", dpi, fail)


def check_header_picture(pgm_path, area, report, resolution, fail):
    """The artwork lies in its rectangle (one inch in, one inch down, its screen size)
    and nothing is printed above it."""
    data = Path(pgm_path).read_bytes()
    header = re.match(rb"P5\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+(\d+)\s", data)
    width = int(header.group(1))
    pixels = data[header.end():]
    dpi = area["dpi"]
    scr_x, scr_y = int(report["screen.dpi_x"]), int(report["screen.dpi_y"])
    scale = resolution / 72.0
    rect = (
        (area["left"] + 72.0) * scale,
        (area["top"] + 72.0) * scale,
        (area["left"] + 72.0 + int(dpi / scr_x * 288) * 72.0 / dpi) * scale,
        (area["top"] + 72.0 + int(dpi / scr_y * 82) * 72.0 / dpi) * scale,
    )
    ink = [(x, y) for y in range(0, int(rect[3]) + 3) for x in range(width) if pixels[y * width + x] < 128]
    fail.check(ink, "no artwork printed")
    if not ink:
        return
    xs, ys = [x for x, _ in ink], [y for _, y in ink]
    box = (min(xs), min(ys), max(xs), max(ys))
    fail.check(box[0] >= rect[0] - 2 and box[1] >= rect[1] - 2 and box[2] <= rect[2] + 2 and box[3] <= rect[3] + 2,
               f"artwork ink {box} outside its rectangle {tuple(round(v) for v in rect)}")
    fail.check(box[2] - box[0] >= 0.5 * (rect[2] - rect[0]) and box[3] - box[1] >= 0.5 * (rect[3] - rect[1]),
               f"artwork ink {box} much smaller than its rectangle {tuple(round(v) for v in rect)}: not stretched?")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--layout", choices=["full", "receipt"], required=True)
    parser.add_argument("--ps", required=True)
    parser.add_argument("--report", required=True)
    parser.add_argument("--ppd", required=True)
    parser.add_argument("--model", type=int, required=True)
    parser.add_argument("--code", type=int, required=True)
    parser.add_argument("--printer", required=True)
    parser.add_argument("--port", required=True)
    parser.add_argument("--started", type=float, required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--expect-wrap", action="store_true")
    args = parser.parse_args()
    ended = datetime.datetime.now().timestamp()

    fail = Failures()
    out = Path(args.out)
    report = read_report(args.report)
    area = read_ppd(args.ppd)
    fail.check(report.get("result") == "0", f"the page was not handed to the spooler: result {report.get('result')}")
    fail.check(report.get("offscreen_restored") == "1", "hdcOffscreen does not hold hbmOffscreen after the call")
    fail.check(int(report["printer.dpi_y"]) == area["dpi"], "the printer does not use the fixture's resolution")

    ps = Path(args.ps).read_bytes()
    fail.check(b"\n%%Title: Kyv Printer Corvane \n" in ps, "the job is not named 'Kyv Printer Corvane '")
    fail.check(ps.count(b"\nshowpage") == 1 and b"\n%%Pages: 1\n" in ps, "the job is not exactly one page")

    font = "page" if args.layout == "full" else "body"
    em = int(report[f"{font}.height"]) - int(report[f"{font}.internal_leading"])
    fixed = out / "page-sized.ps"
    fix_default_size_fonts(args.ps, fixed, em)
    ghostscript("txtwrite", fixed, out / "page.xml", "-dTextFormat=1")
    ghostscript("png16m", fixed, out / "page.png", "-r150", "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4")
    pages = read_rows(out / "page.xml")
    fail.check(len(pages) == 1, f"{len(pages)} pages printed")

    model = MODELS[args.model]
    facts = {"computer": report["computer_name"], "directory": report["driver_directory"],
             "printer": args.printer, "port": args.port}
    if pages:
        if args.layout == "full":
            check_full(pages, full_page_rows(args.code, model, facts), area, report, args.started, ended,
                       args.expect_wrap, fail)
            ghostscript("pgmraw", fixed, out / "page.pgm", "-r72")
            check_header_picture(out / "page.pgm", area, report, 72, fail)
        else:
            check_receipt(pages, receipt_lines(args.code, model, facts), area, report, args.started, ended,
                          args.expect_wrap, fail)

    for item in fail.items:
        print("FAIL:", item)
    print(f"{args.layout} page, code {args.code}, model {args.model}: "
          f"{'ok' if not fail.items else f'{len(fail.items)} failure(s)'}; output in {out}")
    return 1 if fail.items else 0


if __name__ == "__main__":
    sys.exit(main())
