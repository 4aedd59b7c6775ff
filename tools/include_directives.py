#!/usr/bin/env python3
"""Prints each include directive of the sources below the folders given, as
the preprocessor reads it, for the layer check (tools/check_layers.sh).

Usage: tools/include_directives.py FOLDER_OR_FILE...

A line-by-line reading of the sources takes a directive by its spelling: an
include with a comment before its header's name, or continued on the next
line by a backslash, is no "#include" line to it, and the compiler includes
the header all the same. So the sources (.h, .hpp, .cpp, .inc) are read as
the preprocessor reads them before it runs a directive: a backslash at a
line's end (blanks after it, as GCC allows) joins the line to the next; a
comment is one blank, so that one spanning lines joins them and a "//"
comment continued by a backslash takes the next line too; a string, a
character and a raw string are no directive, whatever lines they hold. A
directive is a line whose first token is "#" (or "%:") and whose second is
"include", "include_next" or "import" (GCC's own, which include as
"#include" does). No condition is weighed: a directive in an "#if 0" block is
read as any other.

The names of a header are read as the preprocessor reads them: between "<"
and ">", or between quotes, no comment is one.

Prints one line per directive, its fields apart by \\x1f: the folder given,
the file, the number of the line on which the header's name (or what names
it, a macro) stands, the directive as read ("#include", "#include_next" or
"#import" and what it names, comments gone, blanks squeezed), "said" when
that line alone says the directive so (its blanks squeezed) or else "read",
and the line as it is written.
"""
import bisect
import os
import re
import sys

EXTENSIONS = ('.h', '.hpp', '.cpp', '.inc')
KEYWORDS = ('include', 'include_next', 'import')
FIELD = '\x1f'

# A backslash that ends a line joins it to the next.
SPLICE = re.compile(r'\\[ \t\v\f\r]*\n')
# One token of the joined text, or a blank: the line's end, blanks and
# comments, the start of a raw string (its end is found by its delimiter), a
# string or a character (an unclosed one ends with its line), "#" and "##"
# (and their "%:" spellings), a number (whose "'" is no character's) or a
# word, any other mark.
TOKEN = re.compile(r'''
    (?P<newline>\n)
  | (?P<blank>[ \t\v\f\r]+ | //[^\n]* | /\*.*?(?:\*/|\Z))
  | (?P<raw>(?:u8|u|U|L)?R"(?P<delimiter>[^ ()\\\t\v\f\r\n]{0,16})\()
  | (?P<literal>(?:u8|u|U|L)?(?:"(?:\\.|[^"\\\n])*"? | '(?:\\.|[^'\\\n])*'?))
  | (?P<hash>\#\# | %:%: | \# | %:)
  | (?P<word>\.?[0-9](?:[eEpP][+-] | '[0-9A-Za-z_] | [0-9A-Za-z_.])* | [A-Za-z_$\x80-\xff][0-9A-Za-z_$\x80-\xff]*)
  | (?P<mark>.)
''', re.X | re.S)
# A header's name after the keyword: no comment inside it.
HEADER = re.compile(r'<[^>\n]*>?|"[^"\n]*"?')
# The rest of a line that is no directive, up to what may run past the line's
# end or hide one there (a comment, a string, a character, a raw string, the
# line's end): punctuation, numbers (whose "'" is no character's) and words
# but those before a quote (a string's prefix), in one step.
ORDINARY = re.compile(r'''(?:
    [^\n/"'A-Za-z_$\x80-\xff0-9.]++
  | /(?![/*])
  | \.?[0-9](?:[eEpP][+-] | '[0-9A-Za-z_] | [0-9A-Za-z_.])*+
  | [A-Za-z_$\x80-\xff][0-9A-Za-z_$\x80-\xff]*+(?!["'])
  | \.
)++''', re.X)


def joined(raw):
    """The text with each backslash-newline taken out, and the offsets in the
    text at which a piece of `raw` starts, with the offset in `raw` of each."""
    text, starts, origins = [], [], []
    at = 0
    length = 0
    for splice in SPLICE.finditer(raw):
        text.append(raw[at:splice.start()])
        starts.append(length)
        origins.append(at)
        length += splice.start() - at
        at = splice.end()
    text.append(raw[at:])
    starts.append(length)
    origins.append(at)
    return ''.join(text), starts, origins


def directives(text):
    """(offset of what the directive names, its keyword, what it names as
    read) of each include directive of the joined text."""
    found = []
    tokens = []  # the logical line's first tokens, blanks left out: (offset, text)
    header_next = False
    ordinary = False  # the line is no include directive
    i = 0
    while True:
        at_end = i >= len(text)
        if at_end or text[i] == '\n':
            if len(tokens) >= 2 and tokens[0][1] in ('#', '%:') and tokens[1][1] in KEYWORDS:
                named = tokens[2:] or [tokens[1]]
                found.append((named[0][0], tokens[1][1], ' '.join(t for _, t in tokens[2:])))
            if at_end:
                return found
            tokens, header_next, ordinary = [], False, False
            i += 1
            continue
        if header_next and text[i] in '<"':
            match = HEADER.match(text, i)
            tokens.append((i, match.group()))
            header_next = False
            i = match.end()
            continue
        if ordinary:
            match = ORDINARY.match(text, i)
            if match:
                i = match.end()
                continue
        match = TOKEN.match(text, i)
        kind = match.lastgroup if match.lastgroup != 'delimiter' else 'raw'
        end = match.end()
        if kind == 'raw':
            close = text.find(')' + match.group('delimiter') + '"', end)
            end = len(text) if close < 0 else close + len(match.group('delimiter')) + 2
        if kind != 'blank' and not ordinary:
            header_next = False
            tokens.append((i, text[i:end]))
            if len(tokens) == 2:
                ordinary = not (tokens[0][1] in ('#', '%:') and tokens[1][1] in KEYWORDS)
                header_next = not ordinary
            elif len(tokens) == 1:
                ordinary = tokens[0][1] not in ('#', '%:')
        i = end


def read(path):
    """(line number, keyword, what it names as read, the line as written) of
    each include directive of the file."""
    with open(path, 'rb') as f:
        raw = f.read().decode('latin-1')
    text, starts, origins = joined(raw)
    lines = raw.split('\n')
    line_starts = [0]
    for line in lines[:-1]:
        line_starts.append(line_starts[-1] + len(line) + 1)
    for offset, keyword, named in directives(text):
        piece = bisect.bisect_right(starts, offset) - 1
        number = bisect.bisect_right(line_starts, origins[piece] + offset - starts[piece])
        yield number, keyword, named, lines[number - 1].rstrip('\r')


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    out = []
    for folder in sys.argv[1:]:
        files = [folder] if os.path.isfile(folder) else sorted(
            os.path.join(where, name) for where, _, names in os.walk(folder) for name in names
            if name.endswith(EXTENSIONS))
        for path in files:
            for number, keyword, named, line in read(path):
                directive = f'#{keyword} {named}'.rstrip()
                said = 'said' if ' '.join(line.split()) == directive else 'read'
                out.append(FIELD.join((folder, path, str(number), directive, said, line)) + '\n')
    sys.stdout.buffer.write(''.join(out).encode('latin-1'))
    return 0


if __name__ == '__main__':
    sys.exit(main())
