#!/usr/bin/env python3
"""Copies of UTF-8 C++ sources whose narrow literals hold GBK bytes.

The tool's sources are compiled with g++'s -fexec-charset=GBK, which clang
lacks. For a clang build (the fuzz build) this writes a copy of each source in
which every non-ASCII character of a narrow string literal is spelled as the
\\x escapes of its GBK (code page 936) bytes, so that clang compiles the same
bytes into the program. Comments, identifiers and u8/u/U/L literals stay as
they are.

    gbk_literals.py OUTPUT_DIR SOURCE...
        writes OUTPUT_DIR/<name of each SOURCE>
    gbk_literals.py --check GXX SOURCE_ROOT SOURCE...
        compiles each SOURCE with GXX -fexec-charset=GBK and its copy without,
        and fails unless both give the same assembly
"""
import os
import re
import subprocess
import sys
import tempfile

HEX = set("0123456789abcdefABCDEF")
PREFIX = re.compile(r"[A-Za-z0-9_]*$")


def gbk_escapes(ch):
    return "".join("\\x%02X" % b for b in ch.encode("gbk"))


def narrow_literal(body, quote, where):
    """The literal's body with its non-ASCII characters as GBK escapes."""
    out = []
    i = 0
    while i < len(body):
        ch = body[i]
        if ch == "\\":
            out.append(body[i:i + 2])
            i += 2
            continue
        if ord(ch) < 0x80:
            out.append(ch)
            i += 1
            continue
        out.append(gbk_escapes(ch))
        i += 1
        # A hex digit right after an escape would become part of it: the
        # literal is split there ("\xD5\xC5" "a"), which changes no byte.
        if i < len(body) and body[i] in HEX:
            if quote != '"':
                sys.exit(f"{where}: a character literal of several GBK bytes")
            out.append('" "')
    return "".join(out)


def convert(text, where):
    out = []
    i, n = 0, len(text)
    while i < n:
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif text[i] in "\"'":
            quote = text[i]
            prefix = PREFIX.search(text, 0, i).group(0)
            if quote == "'" and prefix and prefix not in ("u8", "u", "U", "L"):
                j = i + 1  # a digit separator (1'000)
            elif quote == '"' and prefix.endswith("R") and prefix[:-1] in ("", "u8", "u", "U", "L"):
                delimiter = text[i + 1:text.index("(", i)]
                j = text.index(")" + delimiter + '"', i) + len(delimiter) + 2
                if prefix == "R" and any(ord(c) >= 0x80 for c in text[i:j]):
                    sys.exit(f"{where}: a raw literal with non-ASCII text")
            else:
                j = i + 1
                while text[j] != quote:
                    j += 2 if text[j] == "\\" else 1
                j += 1
                if prefix not in ("u8", "u", "U", "L"):
                    out.append(quote + narrow_literal(text[i + 1:j - 1], quote, where) + quote)
                    i = j
                    continue
        else:
            j = i + 1
        out.append(text[i:j])
        i = j
    return "".join(out)


def write_copies(output_dir, sources):
    os.makedirs(output_dir, exist_ok=True)
    for source in sources:
        with open(source, encoding="utf-8") as f:
            text = f.read()
        copy = os.path.join(output_dir, os.path.basename(source))
        converted = convert(text, source)
        # Unchanged copies keep their time, so that nothing is rebuilt for them.
        if os.path.exists(copy):
            with open(copy, encoding="utf-8") as f:
                if f.read() == converted:
                    continue
        with open(copy, "w", encoding="utf-8") as f:
            f.write(converted)


def check(gxx, root, sources):
    def assembly(source, *flags):
        result = subprocess.run([gxx, "-std=c++20", "-O1", "-S", "-o", "-", "-I", root, *flags, source],
                                capture_output=True, text=True, errors="replace")
        if result.returncode != 0:
            sys.exit(f"{source}: {result.stderr}")
        return [line for line in result.stdout.splitlines() if not line.lstrip().startswith(".file")]

    failed = False
    with tempfile.TemporaryDirectory() as folder:
        write_copies(folder, sources)
        for source in sources:
            copy = os.path.join(folder, os.path.basename(source))
            if assembly(source, "-fexec-charset=GBK") != assembly(copy):
                print(f"{source}: the GBK copy compiles to other bytes than -fexec-charset=GBK")
                failed = True
            else:
                print(f"{source}: the GBK copy compiles to the same bytes")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    if len(sys.argv) >= 4 and sys.argv[1] == "--check":
        check(sys.argv[2], sys.argv[3], sys.argv[4:])
    elif len(sys.argv) >= 3:
        write_copies(sys.argv[1], sys.argv[2:])
    else:
        sys.exit(__doc__)
