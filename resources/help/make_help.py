#!/usr/bin/env python3
"""Builds the help from its readable source.

make_help.py CONTENTS OPTIONS HTML INC
  CONTENTS  the contents page: "# " and "## " headings, paragraphs, "- " items
  OPTIONS   "[control id] title" entries, each followed by one paragraph
  HTML      the page installed beside the module (opened when no .HLP is there)
  INC       TAVIR_HELP_TEXT(string id, control id, "text") lines for the
            string table of the resources and the portable build
"""
import html
import re
import sys

STRING_ID_BASE = 33000
ENTRY = re.compile(r"^\[(\d+)\]\s+(.+)$")


def blocks(lines):
    """Paragraphs and list items of the contents page, in order."""
    block = []
    for line in lines + [""]:
        starts_new = line.startswith(("#", "- ")) or not line.strip()
        if starts_new and block:
            yield " ".join(block)
            block = []
        if line.strip():
            block.append(line.strip())
        if line.startswith("#"):
            yield " ".join(block)
            block = []


def contents_html(text):
    out, in_list = [], False
    for block in blocks(text.splitlines()):
        is_item = block.startswith("- ")
        if in_list and not is_item:
            out.append("</ul>")
            in_list = False
        if block.startswith("## "):
            out.append("<h2>%s</h2>" % html.escape(block[3:]))
        elif block.startswith("# "):
            out.append("<h1>%s</h1>" % html.escape(block[2:]))
        elif is_item:
            if not in_list:
                out.append("<ul>")
                in_list = True
            out.append("<li>%s</li>" % html.escape(block[2:]))
        else:
            out.append("<p>%s</p>" % html.escape(block))
    if in_list:
        out.append("</ul>")
    return out


def read_entries(text):
    entries, current = [], None
    for number, line in enumerate(text.splitlines(), 1):
        if line.startswith("#"):
            continue
        match = ENTRY.match(line)
        if match:
            current = [int(match.group(1)), match.group(2).strip(), []]
            entries.append(current)
        elif line.strip():
            if current is None:
                sys.exit("%s: line %d: text before the first entry" % (sys.argv[2], number))
            current[2].append(line.strip())
    ids = [e[0] for e in entries]
    if len(ids) != len(set(ids)):
        sys.exit("%s: a control id is listed twice" % sys.argv[2])
    for control, title, words in entries:
        if not words:
            sys.exit("%s: [%d] %s has no text" % (sys.argv[2], control, title))
    return [(c, t, " ".join(w)) for c, t, w in entries]


def c_string(text):
    # The resource compiler and the C++ compiler both read \x22 as a quote.
    return '"%s"' % text.replace("\\", "\\\\").replace('"', "\\x22")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    contents_path, options_path, html_path, inc_path = sys.argv[1:]
    with open(contents_path, encoding="ascii") as f:
        contents = f.read()
    with open(options_path, encoding="ascii") as f:
        entries = read_entries(f.read())
    title = contents.splitlines()[0].lstrip("# ").strip()
    page = ["<!DOCTYPE html>", "<html><head><meta charset=\"us-ascii\">",
            "<title>%s</title></head><body>" % html.escape(title)]
    page += contents_html(contents)
    page.append("<dl>")
    for control, name, text in entries:
        page.append('<dt id="control-%d">%s</dt><dd>%s</dd>' %
                    (control, html.escape(name), html.escape(text)))
    page += ["</dl>", "</body></html>", ""]
    with open(html_path, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(page))
    with open(inc_path, "w", encoding="ascii") as f:
        f.write("// Made by resources/help/make_help.py from resources/help/options.txt.\n")
        for control, _, text in sorted(entries):
            f.write("TAVIR_HELP_TEXT(%d, %d, %s)\n" % (STRING_ID_BASE + control, control,
                                                      c_string(text)))


if __name__ == "__main__":
    main()
