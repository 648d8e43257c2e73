#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/seed-*) from the
repository's real files (data/kunde, tests/data) and small hand-made samples.

Each target takes its option bytes from the front of an input (see fuzz/fuzz_input.h:
pick(n) is one byte modulo n, flag() its lowest bit); the seeds carry those bytes in
front of the file they stand for. Inputs libFuzzer adds while it runs, and inputs that
once showed a fault (crash-*, kept for good), live beside the seeds and are kept.
"""
import os
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"
KUNDE = ROOT / "data" / "kunde"
CONF = KUNDE / "Konfiguration"


def read(path):
    return (ROOT / path).read_bytes() if not isinstance(path, pathlib.Path) else path.read_bytes()


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / ("seed-" + name)).write_bytes(data)


def lines(path):
    return [l for l in read(path).replace(b"\r\n", b"\n").split(b"\n") if l]


def cuts(positions, singles_at, singles):
    """The option bytes of fuzz_input.h's FuzzCuts: cut positions, then a stretch of one-byte reads."""
    out = bytes([len(positions)])
    for p in positions + [singles_at]:
        out += bytes([p & 0xFF, p >> 8])
    return out + bytes([singles])


def cp(text):
    return text.encode("cp1252")


# ---- pipe records: n (pick 40, -4), value length (pick 12), value, record ----
records = lines(CONF / "Alarmierungen.dat") + lines(CONF / "Zeitplaner.dat")
records += [l.split(b"=", 1)[1] for l in lines(CONF / "Scripts.ini") if l.startswith(b"Script") and l.split(b"=", 1)[1]]
records += [cp("|11|  kunde\\capture\\geb.txt |Gebühren/2001|0|3|0|2|0|"), b"|", b"", b"||||", b"| a |  | b|"]
for i, r in enumerate(records):
    write("fuzz_pipe_record", "record%02d" % i, bytes([4 + 1 + i % 12, 3]) + b"neu" + r)

# ---- profile files: selector (pick 3) ----
ini = read(KUNDE / "kunde.ini")
write("fuzz_profile", "document-kunde", bytes([0, 0, 0, 5]) + b"-1 xy" + ini)
write("fuzz_profile", "document-scripts", bytes([0, 1, 1, 7]) + b'"quote"' + read(CONF / "Scripts.ini"))
write("fuzz_profile", "document-mixed", bytes([0, 2, 3, 4]) + b"  a " +
      b"; comment\r\n[Mail]\nServer = \"smtp.example.org\" \r[mail]\r\nServer=second\r\n[F_Leiste\r\nTaste1=1|2\r\nkey without value\r\n=value without key\n[Allgemein]")
write("fuzz_profile", "kunde", bytes([1]) + ini)
write("fuzz_profile", "kunde-damaged", bytes([1]) + ini[: len(ini) // 2] + b"\x00\xff[Allgemein]\r\nPasswort=zz\r\n")
definition = (b"|1|9600|N|8|1|13|\r\n" + b"Sofort    =0\r\nDebug     =-1\r\nKonvert   =0\r\nAnsiOem   =0\r\n"
              b"OemAnsi   =0\r\nAllesKl   =0\r\nAllesGr   =0\r\nZeitStemp =-1\r\nIndexStemp=0\r\nLiFeed    =0\r\n"
              b"Empfang   =0\r\nD_Echo    =0\r\nT_Tasten  =0\r\nBackSpace =8\r\nSession   =0\r\nSessionZ  =80\r\n"
              b"ScriptGr  =Gruppe 1\r\nHandshake =0\r\nHEX-Anzg  =0\r\nSteuerAnz =0\r\nPauseZ    =0\r\nPauseR    =0\r\n"
              b"PauseL    =0\r\n")
write("fuzz_profile", "parameter-set", bytes([2]) + definition)
write("fuzz_profile", "parameter-set-short", bytes([2]) + b"|2|115200|E|7|2|3|\nSofort    =1\n")

# ---- data files: mode (1 + pick 6) ----
write("fuzz_data_files", "alarms", bytes([0]) + read(CONF / "Alarmierungen.dat"))
statistics = cp("Start: 14.03.2026 09:26:53\r\n") + b"".join(b"%d\r\n" % (i * 7) for i in range(49))
write("fuzz_data_files", "statistics-sent", bytes([1]) + statistics)
write("fuzz_data_files", "statistics-received", bytes([2]) + statistics.replace(b"14\r\n", b"-3\r\n1e30\r\n"))
write("fuzz_data_files", "scheduler", bytes([3]) + read(CONF / "Zeitplaner.dat"))
write("fuzz_data_files", "scheduler-more", bytes([3]) + cp(
    "|1|07:30|Wöchentlich (2)|Montag (1)|Capture (1)|Löschen (2)|Archiv\\|1|7|1||\r\n"
    "|1|12:00|Jährlich (4)|1.12.xxxx (12)|-|Script senden (4)|||||Status abfragen|\r\n"))
write("fuzz_data_files", "menu", bytes([4]) + read(CONF / "Menustruktur00.dat"))
write("fuzz_data_files", "scripts", bytes([5]) + read(CONF / "Scripts.ini"))

# ---- one script line: line, ten placeholder values, included commands, other lines ----
commands = []
for l in lines(CONF / "Scripts.ini"):
    if l.startswith(b"Script") and l.split(b"=", 1)[1]:
        fields = l.split(b"=", 1)[1].split(b"|")
        commands += [c for c in fields[2].split(b"<>") if c]
values = [b"12", b"-7", b"2147483647", b"abc", b"", b"0", b"PARE 1", b"3.5", b"-2147483648", b"99"]
for i, c in enumerate(commands + [b"PADD 2 1", b"PDIV 1 0", b"IFPV 0 1 Weiter 3", b"SCRI Eingebunden",
                                  b"PROG 1 /bin/true x", b"GOTO Weiter", b"SEND PARE 6 DATE 1 TIME 2", b"SAVT 1 x.txt"]):
    write("fuzz_script_line", "line%02d" % i, b"\n".join([c] + values + [b"STATUS<>PAUS 1", b"MARK Weiter", b"GEB"]))

# ---- receive: end choice (pick 8), options a, b, [filter], [backspace], cut, cut flag, [repeat], data ----
call = cp("|14.03.2026|09:26:53|0815|4711|00:01:23|1|0,12|Ort|\r\n")
write("fuzz_receive", "auto-crlf", bytes([0, 0, 0, 7, 0]) + call * 3)
write("fuzz_receive", "cr", bytes([1, 0, 0, 5, 0]) + call * 2 + b"partial")
write("fuzz_receive", "etx", bytes([3, 0x80, 0, 3, 0]) + b"\x02" + call + b"\x03\x05\x02abc\x03")
write("fuzz_receive", "immediate-stamps", bytes([2, 0x1C, 0x20, 8, 1, 0]) + b"ab^xc\n\r^zline\n" + b"\x08")
write("fuzz_receive", "filter-ring", bytes([1, 0x23, 0x1F, 0, 7, 1, 9, 0]) + b"RI\nNG\r\x00ring\x07\r\xfc\x81\r")
write("fuzz_receive", "control-names-bel", bytes([4, 0x60, 0, 2, 0]) + b"alarm\x07next\x07")
write("fuzz_receive", "overflow", bytes([1, 0, 0x40, 31, 1, 255]) + b"no end character here " * 40)

# ---- zendor: flag (command line) or charge records (grouping pick 5 - 1, participant flag) ----
zendor_records = ["|11|  kunde\\capture\\geb.txt |Gebühren/2001|0|3|0|2|0|", "|10| capture\\*.txt | ZIP-Dateien | neu.zip ||0|1|0|",
                  "|4|to@example.org|cc@x.org||Betreff|Zeile1|a.pdf;b.pdf|1/1|", "|99||||||||-1|", "|2||0|dat||Sichern||/daten|"]
for i, r in enumerate(zendor_records):
    write("fuzz_zendor_record", "record%d" % i, bytes([1]) + b"--kunde\x00/tmp/kunde\x00" + cp(r))
write("fuzz_zendor_record", "record-split", bytes([1]) + b"--programmordner=/opt/t\x00|5|C:\\x\\report.lnk|-p\x001|")
charges = b"".join(b"|%s|x|%s|%s||||%s|\r\n" % (d, a, b_, m) for d, a, b_, m in [
    (b"03.01.2001 10:00", b"0815", b"1", b"1.50"), (b"15.03.2001 11:00", b"4711", b"2", b"2.25"),
    (b"15.03.2002 11:00", b"4711", b"", b"-0.005")]) + b"!|01.01.2001|x||||||3|\r\n*|comment|\r\n   \r\n"
for grouping in range(4):
    write("fuzz_zendor_record", "charges%d" % grouping, bytes([0, grouping + 1, grouping & 1]) + charges)

# ---- Quillet: the file's bytes ----
write("fuzz_quillet_text", "liesmich", read(KUNDE / "Archiv" / "Liesmich.txt"))
write("fuzz_quillet_text", "scripts", read(CONF / "Scripts.ini"))
write("fuzz_quillet_text", "utf8", "Grüße\nzweite Zeile\r\n€\n".encode("utf-8"))
write("fuzz_quillet_text", "utf8-bom", b"\xef\xbb\xbf" + "Bericht\r\nÄnderung\r\n".encode("utf-8"))
write("fuzz_quillet_text", "cr-only", b"eins\rzwei\r\rdrei")
write("fuzz_quillet_text", "mixed", b"a\r\nb\nc\rd\r\r\n")
write("fuzz_quillet_text", "symbols", "a\u240db\r\nc\n".encode("utf-8"))

# ---- binary transfer: selector (pick 3) ----
poll, header_start, header_escaped = b"\xff\x01\xff", b"\xfc\x01\xfc", b"\xfc\x02\xfc"
header_end, file_end, transfer_end = b"\xfd\x01\xfd", b"\xfb\x01\xfb\x01", b"\xfa\x01\xfa\x01"
write("fuzz_binary_markers", "escape", bytes([0, 5]) + b"\xff\x01\xff\x02\xfa\x01\x00\xfb")
write("fuzz_binary_markers", "header", bytes([1]) + cp("C:\\Daten\\bericht.txt (2.5)"))
write("fuzz_binary_markers", "header-hostile", bytes([1]) + b"../../etc/passwd (1,5)")
write("fuzz_binary_markers", "receive", bytes([2, 7, 0, 0]) + poll + header_start + cp("C:\\x\\a.txt (0.005)") + header_end
      + b"hello" + file_end + header_escaped + b"b.bin (0.003)" + header_end + b"\xff\x01\x00z" + file_end + transfer_end)
write("fuzz_binary_markers", "receive-cancel", bytes([2, 3, 1, 1]) + poll + header_start + b"CON (1)" + header_end + b"x" * 40)

# ---- telnet: cuts, the client's bytes ----
write("fuzz_telnet_text", "lines", cuts([12, 13, 30], 24, 8) + b"login: user\r\npassword\r\n\x00\x1b[1m\x7f\xe4\xfc\r\r\n\n")
write("fuzz_telnet_text", "long", cuts([1024, 1100, 1101], 1020, 8) + b"x" * 1100 + b"\r\n" + b"y" * 1100)

# ---- session screen: size flags and values, resize, cuts, then the recording ----
for path in sorted((ROOT / "tests" / "data" / "session").glob("*.bin")):
    data = path.read_bytes()
    write("fuzz_ansi_screen", path.stem, bytes([0, 80 + 50, 0, 24 + 30, 7])
          + cuts([len(data) // 3, len(data) // 2, len(data) - 5], 40, 32) + data)
    write("fuzz_ansi_screen", path.stem + "-small", bytes([1, 9, 1, 4, 1]) + cuts([100, 777], 3, 32) + data[:1500])
