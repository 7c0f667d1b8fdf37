#!/usr/bin/env python3
"""Builds the driver's help from its text sources: plain HTML pages in
OUT/html and, with --chmcmd, the compiled help file OUT/ZEW4400.CHM.

  build-help.py --idl Zew4400.idl --messages Messages.h --strings Messages.rc
                --source docs/help --out OUT [--chmcmd chmcmd]

The reference is made from the IDL: every interface, member, DISPID, argument
and help string, every class and enumeration. The words of each member come
from docs/help/reference/<Interface>.md, one "## Member" section per member;
the build fails when a member has no section or a section names no member, so
nothing the type library offers goes undocumented. The error table comes from
the driver's message table. Guides and the property pages' topics are pages
of their own; index.md is the home page, and the order of its links is the
order of the guides and interfaces in the contents. A link to a page or a
member that does not exist fails the build too.
"""

import argparse
import html
import os
import re
import shutil
import struct
import subprocess
import sys

import chm_stamp

HELP_FILE = "ZEW4400.CHM"
TITLE = "ZEW4400 Driver Help"


class HelpError(Exception):
    pass


# --- The IDL -----------------------------------------------------------------

STANDARD_DISPIDS = {"DISPID_VALUE": 0, "DISPID_NEWENUM": -4, "DISPID_ABOUTBOX": -552}


class Member:
    def __init__(self, name, dispid, kinds, helpstring, params, result, flags):
        self.name = name
        self.dispid = dispid
        self.kinds = kinds          # "method", "get", "put", "putref", "event"
        self.helpstring = helpstring
        self.params = params        # [(direction, type, name)]
        self.result = result        # the retval type, or None
        self.flags = flags          # restricted, hidden


class Interface:
    def __init__(self, name, uuid, helpstring, base, kind):
        self.name = name
        self.uuid = uuid
        self.helpstring = helpstring
        self.base = base
        self.kind = kind            # "interface" or "dispinterface"
        self.members = []           # in declaration order, one per name

    def member(self, name):
        return next((m for m in self.members if m.name == name), None)


class Library:
    def __init__(self):
        self.interfaces = []
        self.classes = []           # (name, uuid, helpstring, noncreatable, [interfaces])
        self.enums = []             # (name, helpstring, [(member, value, text)])
        self.helpstring = ""
        self.helpfile = ""


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def attribute_value(attributes, key):
    found = re.search(key + r'\(\s*(?:"([^"]*)"|([^)]*?))\s*\)', attributes)
    return (found.group(1) if found.group(1) is not None else found.group(2)) if found else ""


def parse_params(text):
    params = []
    for part in [p.strip() for p in re.split(r",(?![^\[]*\])", text) if p.strip()]:
        attributes = re.match(r"\[([^\]]*)\]\s*(.*)", part)
        direction, declaration = (attributes.group(1), attributes.group(2)) if attributes else ("in", part)
        words = re.match(r"(.+?)\s*(\w+)$", declaration)
        if not words:
            raise HelpError(f"cannot read the parameter {part!r}")
        params.append(([d.strip() for d in direction.split(",")], words.group(1).replace(" *", "*"), words.group(2)))
    return params


def parse_idl(text):
    library = Library()
    lines = strip_comments(text)
    constants = dict(STANDARD_DISPIDS)
    for name, value in re.findall(r"const\s+long\s+(\w+)\s*=\s*(-?\d+)\s*;", lines):
        constants[name] = int(value)

    def dispid(token):
        token = token.strip()
        if re.fullmatch(r"-?\d+", token):
            return int(token)
        if token not in constants:
            raise HelpError(f"unknown DISPID {token}")
        return constants[token]

    # Enumerations: the members' texts stand in comments beside them.
    for attributes, body, name in re.findall(
            r"typedef\s*\[([^\]]*)\]\s*enum\s+\w+\s*\{(.*?)\}\s*(\w+)\s*;", text, flags=re.S):
        values = re.findall(r"(\w+)\s*=\s*(-?\d+)\s*,?\s*(?://\s*\"([^\"]*)\")?", body)
        library.enums.append((name, attribute_value(attributes, "helpstring"), values))

    head = re.compile(r"\[([^\[\]]*(?:\[[^\]]*\][^\[\]]*)*)\]\s*(interface|dispinterface)\s+(\w+)\s*(?::\s*(\w+))?\s*\{",
                      re.S)
    for found in head.finditer(lines):
        attributes, kind, name, base = found.groups()
        body_end = lines.index("};", found.end())
        body = lines[found.end():body_end]
        interface = Interface(name, attribute_value(attributes, "uuid"), attribute_value(attributes, "helpstring"),
                              base or "", kind)
        declarations = re.findall(r"\[((?:[^\]\"]|\"[^\"]*\")*)\]\s*(\w+)\s+(\w+)\s*\(([^()]*)\)\s*;", body)
        if len(declarations) != body.count(";"):
            raise HelpError(f"{name}: a member declaration could not be read")
        for member_attributes, _, member_name, params_text in declarations:
            params_text = " ".join(params_text.split())
            marks = [a.strip() for a in re.split(r",(?![^(]*\))", member_attributes)]
            ident = next((m for m in marks if m.startswith("id(")), None)
            if ident is None:
                raise HelpError(f"{name}.{member_name} has no id")
            kind_of = "event" if kind == "dispinterface" else next(
                (k[4:] for k in marks if k in ("propget", "propput", "propputref")), "method")
            params = parse_params(params_text)
            result = next((t.rstrip("*") for d, t, _ in params if "retval" in d), None)
            if kind_of != "event":
                params = [p for p in params if "retval" not in p[0]]
            flags = [m for m in marks if m in ("restricted", "hidden")]
            existing = interface.member(member_name)
            if existing:
                existing.kinds.append(kind_of)
                if kind_of == "get":
                    existing.result = result
                continue
            interface.members.append(Member(member_name, dispid(ident[3:-1]), [kind_of],
                                            attribute_value(member_attributes, "helpstring"), params, result, flags))
        library.interfaces.append(interface)

    lib = re.search(r"\[([^\]]*)\]\s*library\s+\w+", lines, flags=re.S)
    if lib:
        library.helpstring = attribute_value(lib.group(1), "helpstring")
        library.helpfile = attribute_value(lib.group(1), "helpfile")
    for attributes, name, body in re.findall(r"\[([^\]]*)\]\s*coclass\s+(\w+)\s*\{(.*?)\}", lines, flags=re.S):
        library.classes.append((name, attribute_value(attributes, "uuid"), attribute_value(attributes, "helpstring"),
                                "noncreatable" in attributes, re.findall(r"interface\s+(\w+)", body)))
    return library


# --- The message table -------------------------------------------------------

def parse_messages(header, strings):
    ids = {name: int(value) for name, value in re.findall(r"#define\s+(MSG_\w+)\s+(\d+)", header)}
    messages = []
    for name, text in re.findall(r"(MSG_\w+)\s*,\s*\"((?:[^\"\\]|\\.)*)\"", strings):
        if name not in ids:
            raise HelpError(f"message {name} has no id")
        messages.append((ids[name], text))
    if not messages:
        raise HelpError("the message table is empty")
    return sorted(messages)


# --- The text format ---------------------------------------------------------

def page_of(target):
    """A link to another text file points at its page."""
    if re.match(r"[a-z]+:", target):
        return target
    path, _, anchor = target.partition("#")
    if path.endswith(".md"):
        path = os.path.basename(path)[:-3] + ".htm"
    return path + ("#" + anchor if anchor else "")


def inline(text):
    parts = re.split(r"(`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) > 1:
            out.append("<code>" + html.escape(part[1:-1]) + "</code>")
            continue
        part = html.escape(part, quote=False)
        part = re.sub(r"\[([^\]]+)\]\(([^)\s]+)\)",
                      lambda m: f'<a href="{html.escape(page_of(m.group(2)))}">{m.group(1)}</a>', part)
        part = re.sub(r"\*\*([^*]+)\*\*", r"<b>\1</b>", part)
        part = re.sub(r"(?<![\w*])\*([^*\s][^*]*)\*(?![\w*])", r"<i>\1</i>", part)
        out.append(part)
    return "".join(out)


def table_cells(line):
    return [c.strip() for c in line.strip().strip("|").split("|")]


def to_html(lines):
    """The body of a page from its text lines (headings of level 2 and below)."""
    out = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
        elif line.startswith("```"):
            i += 1
            code = []
            while i < len(lines) and not lines[i].startswith("```"):
                code.append(lines[i])
                i += 1
            i += 1
            out.append("<pre>" + html.escape("\n".join(code)) + "</pre>")
        elif re.match(r"#{2,4} ", line):
            level = len(line) - len(line.lstrip("#"))
            text = line[level:].strip()
            out.append(f'<h{level}><a name="{html.escape(anchor_of(text))}"></a>{inline(text)}</h{level}>')
            i += 1
        elif line.lstrip().startswith("|") and i + 1 < len(lines) and re.match(r"\s*\|[\s:|-]+\|\s*$", lines[i + 1]):
            rows = [table_cells(line)]
            i += 2
            while i < len(lines) and lines[i].lstrip().startswith("|"):
                rows.append(table_cells(lines[i]))
                i += 1
            out.append("<table>" + "<tr>" + "".join(f"<th>{inline(c)}</th>" for c in rows[0]) + "</tr>"
                       + "".join("<tr>" + "".join(f"<td>{inline(c)}</td>" for c in r) + "</tr>" for r in rows[1:])
                       + "</table>")
        elif re.match(r"\s*(- |\d+\. )", line):
            ordered = bool(re.match(r"\s*\d+\. ", line))
            items = []
            while i < len(lines) and lines[i].strip() and not lines[i].startswith("```"):
                item = re.match(r"\s*(- |\d+\. )(.*)", lines[i])
                if item and not lines[i].startswith("    "):
                    items.append(item.group(2))
                elif items:
                    items[-1] += " " + lines[i].strip()
                i += 1
            tag = "ol" if ordered else "ul"
            out.append(f"<{tag}>" + "".join(f"<li>{inline(t)}</li>" for t in items) + f"</{tag}>")
        else:
            paragraph = []
            while (i < len(lines) and lines[i].strip() and not lines[i].startswith(("```", "#"))
                   and not re.match(r"\s*(- |\d+\. |\|)", lines[i])):
                paragraph.append(lines[i].strip())
                i += 1
            out.append("<p>" + inline(" ".join(paragraph)) + "</p>")
    return "\n".join(out)


def anchor_of(heading):
    return re.sub(r"[^A-Za-z0-9_]+", "-", heading).strip("-")


class TextFile:
    def __init__(self, path):
        self.path = path
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
        if not lines or not lines[0].startswith("# "):
            raise HelpError(f"{path}: the first line must be '# Title'")
        self.title = lines[0][2:].strip()
        self.lines = lines[1:]
        self.stem = os.path.splitext(os.path.basename(path))[0]

    def sections(self):
        """The text before the first "## " heading, and each section's lines by name."""
        intro, sections, current = [], {}, None
        for line in self.lines:
            heading = re.match(r"## (\S+)\s*$", line)
            if heading:
                current = heading.group(1)
                if current in sections:
                    raise HelpError(f"{self.path}: two sections named {current}")
                sections[current] = []
            elif current is None:
                intro.append(line)
            else:
                sections[current].append(line)
        return intro, sections


# --- The pages ---------------------------------------------------------------

STYLE = """body { font-family: Verdana, Arial, sans-serif; font-size: 10pt; margin: 12px; }
h1 { font-size: 15pt; } h2 { font-size: 12pt; border-top: 1px solid #aab; padding-top: 8px; }
h3 { font-size: 10pt; } pre, code { font-family: Consolas, 'Courier New', monospace; }
pre { background: #f2f2f6; padding: 6px; } table { border-collapse: collapse; }
td, th { border: 1px solid #bbc; padding: 2px 6px; text-align: left; vertical-align: top; }
.signature { background: #eef; padding: 4px; font-family: Consolas, 'Courier New', monospace; }
.nav { font-size: 8pt; }"""


def page(title, body):
    return ("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head>"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
            f"<title>{html.escape(title)}</title><link rel=\"stylesheet\" href=\"help.css\"></head><body>\n"
            f"<p class=\"nav\"><a href=\"index.htm\">Contents</a></p>\n<h1>{html.escape(title)}</h1>\n"
            f"{body}\n</body></html>\n")


def signature(interface, member):
    def params_text():
        return ", ".join(f"{'[' + ', '.join(d) + '] ' if interface.kind != 'dispinterface' else ''}"
                         f"{t} {n}" for d, t, n in member.params)
    lines = []
    for kind in member.kinds:
        if kind == "get":
            args = params_text()
            lines.append(f"property get {member.name}{'(' + args + ')' if args else ''} As {member.result}")
        elif kind in ("put", "putref"):
            args = params_text()
            lines.append(f"property {kind} {member.name}({args + ', ' if args else ''}{member.result} newVal)")
        elif kind == "event":
            lines.append(f"event {member.name}({params_text()})")
        else:
            result = f" As {member.result}" if member.result else ""
            lines.append(f"method {member.name}({params_text()}){result}")
    return "<br>".join(html.escape(line) for line in lines)


def interface_page(interface, text):
    intro, sections = text.sections()
    missing = [m.name for m in interface.members if m.name not in sections]
    unknown = [s for s in sections if not interface.member(s)]
    if missing or unknown:
        problems = []
        if missing:
            problems.append(f"no topic for {', '.join(interface.name + '.' + m for m in missing)}")
        if unknown:
            problems.append(f"topics for members {interface.name} does not have: {', '.join(unknown)}")
        raise HelpError(f"{text.path}: " + "; ".join(problems))
    body = [to_html(intro),
            f"<p>IID <code>{{{interface.uuid}}}</code>"
            + (f", derived from <code>{interface.base}</code>" if interface.base else ", a dispatch-only (event) interface")
            + (f". Type library help string: &quot;{html.escape(interface.helpstring)}&quot;." if interface.helpstring else ".")
            + "</p>",
            "<table><tr><th>Member</th><th>DISPID</th><th>Kind</th><th>Help string</th></tr>"
            + "".join(f'<tr><td><a href="#{m.name}">{m.name}</a></td><td>{m.dispid}</td>'
                      f"<td>{html.escape(', '.join(m.kinds))}{' (restricted)' if 'restricted' in m.flags else ''}</td>"
                      f"<td>{html.escape(m.helpstring)}</td></tr>" for m in interface.members)
            + "</table>"]
    for m in interface.members:
        body.append(f'<h2><a name="{m.name}"></a>{m.name}</h2>')
        body.append(f'<p class="signature">{signature(interface, m)}</p>')
        body.append(f"<p>DISPID {m.dispid}" + (f"; help string &quot;{html.escape(m.helpstring)}&quot;" if m.helpstring else "")
                    + (f"; {', '.join(m.flags)}" if m.flags else "") + ".</p>")
        body.append(to_html(sections[m.name]))
    return page(f"{interface.name} interface", "\n".join(body))


def classes_page(library):
    rows = []
    for name, uuid, helpstring, noncreatable, interfaces in library.classes:
        links = ", ".join(f'<a href="{i}.htm">{i}</a>' if any(x.name == i and x.members for x in library.interfaces)
                          else i for i in interfaces)
        created = "from its parent object" if noncreatable else f"<code>CreateObject(\"Zew4400.{name}\")</code>"
        rows.append(f"<tr><td>{name}</td><td><code>{{{uuid}}}</code></td><td>{links}</td><td>{created}</td>"
                    f"<td>{html.escape(helpstring)}</td></tr>")
    body = (f"<p>Type library &quot;{html.escape(library.helpstring)}&quot;, help file {html.escape(library.helpfile)}. "
            "A client creates the driver object; every other object is reached from it.</p>"
            "<table><tr><th>Class</th><th>CLSID</th><th>Interfaces</th><th>Made</th><th>Help string</th></tr>"
            + "".join(rows) + "</table>")
    return page("Classes", body)


def enums_page(library):
    body = []
    for name, helpstring, values in library.enums:
        body.append(f'<h2><a name="{name}"></a>{name}</h2><p>{html.escape(helpstring)}</p>'
                    "<table><tr><th>Name</th><th>Value</th><th>Meaning</th></tr>"
                    + "".join(f"<tr><td>{n}</td><td>{v}</td><td>{html.escape(t)}</td></tr>" for n, v, t in values)
                    + "</table>")
    return page("Enumerations", "\n".join(body))


def errors_page(messages, text):
    intro = to_html(text.lines) if text else ""
    rows = "".join(f"<tr><td>{number}</td><td>{html.escape(message.replace('%s', '<device>'))}</td></tr>"
                   for number, message in messages)
    return page(text.title if text else "Errors",
                intro + "<table><tr><th>Number</th><th>Description</th></tr>" + rows + "</table>")


# --- The compiled help's project ---------------------------------------------

def sitemap_entry(name, local, children=()):
    entry = (f'<LI><OBJECT type="text/sitemap"><param name="Name" value="{html.escape(name)}">'
             f'<param name="Local" value="{html.escape(local)}"></OBJECT>\n')
    if children:
        entry += "<UL>\n" + "".join(sitemap_entry(*c) for c in children) + "</UL>\n"
    return entry


def sitemap(entries):
    return ("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML><HEAD></HEAD><BODY>\n"
            "<OBJECT type=\"text/site properties\"><param name=\"ImageType\" value=\"Folder\"></OBJECT>\n"
            "<UL>\n" + "".join(sitemap_entry(*e) for e in entries) + "</UL>\n</BODY></HTML>\n")


def project(files):
    return ("[OPTIONS]\nCompatibility=1.1 or later\n"
            f"Compiled file={HELP_FILE}\nContents file=ZEW4400.hhc\nIndex file=ZEW4400.hhk\n"
            f"Default topic=index.htm\nDisplay compile progress=No\nFull-text search=Yes\n"
            f"Language=0x409 English (United States)\nTitle={TITLE}\n\n[FILES]\n" + "\n".join(files) + "\n")


# --- The build ---------------------------------------------------------------

def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def home_order(index, names):
    """Names in the order the home page links their pages, then the others."""
    linked = [os.path.basename(t)[:-3] for t in re.findall(r"\]\(([^)#\s]+\.md)", "\n".join(index.lines))]
    ordered = list(dict.fromkeys(n for n in linked if n in names))
    return ordered + sorted(set(names) - set(ordered))


def broken_links(pages):
    """Links from one page to a page or an anchor that the help does not have."""
    anchors = {name: set(re.findall(r'<a name="([^"]+)"', text)) for name, text in pages.items()}
    broken = []
    for name, text in pages.items():
        for target in re.findall(r'href="([^"]+)"', text):
            if re.match(r"[a-z]+:", target) or target.endswith(".css"):
                continue
            path, _, anchor = html.unescape(target).partition("#")
            path = path or name
            if path not in pages or (anchor and anchor not in anchors[path]):
                broken.append(f"{name}: link to {target}")
    return broken


def compile_chm(chmcmd, html_dir):
    """chmcmd reports its errors as text and exits 0: the file it leaves is the verdict.

    chmcmd writes a few bytes of memory it never set into the keyword index;
    run without address randomisation and with an empty environment, they are
    the same in every run. With SOURCE_DATE_EPOCH set, the file's time stamps
    are that moment's instead of the time chmcmd ran."""
    chm = os.path.join(html_dir, HELP_FILE)
    if os.path.exists(chm):
        os.remove(chm)
    program = shutil.which(chmcmd) or chmcmd
    setarch = shutil.which("setarch")
    command = ([setarch, "-R"] if setarch else []) + [program, "--no-html-scan", "ZEW4400.hhp"]
    run = subprocess.run(command, cwd=html_dir, env={}, capture_output=True, text=True)
    if run.returncode != 0 or not os.path.exists(chm) or os.path.getsize(chm) == 0:
        raise HelpError(f"{chmcmd} did not make {HELP_FILE}:\n{run.stdout}{run.stderr}")
    if os.environ.get("SOURCE_DATE_EPOCH"):
        try:
            chm_stamp.set_build_time(chm, int(os.environ["SOURCE_DATE_EPOCH"]))
        except (chm_stamp.ChmError, ValueError, struct.error) as e:
            raise HelpError(f"cannot date {HELP_FILE}: {e}")
    return chm


def build(idl, header, strings, source, out, chmcmd=None):
    library = parse_idl(read(idl))
    messages = parse_messages(read(header), read(strings))
    index = TextFile(os.path.join(source, "index.md"))
    with_members = {i.name: i for i in library.interfaces if i.members}
    documented = [with_members[n] for n in home_order(index, with_members)]
    pages = {}
    problems = []

    reference = os.path.join(source, "reference")
    for interface in documented:
        path = os.path.join(reference, interface.name + ".md")
        if not os.path.exists(path):
            problems.append(f"{path}: missing: {interface.name} has {len(interface.members)} members without topics")
            continue
        try:
            pages[interface.name + ".htm"] = interface_page(interface, TextFile(path))
        except HelpError as e:
            problems.append(str(e))
    names = {i.name for i in documented}
    for extra in sorted(os.listdir(reference)) if os.path.isdir(reference) else []:
        if extra.endswith(".md") and extra[:-3] not in names:
            problems.append(f"{os.path.join(reference, extra)}: the type library has no interface {extra[:-3]}")
    if problems:
        raise HelpError("\n".join(problems))

    guides = {}
    for folder in ("guides", "pages"):
        directory = os.path.join(source, folder)
        for name in sorted(os.listdir(directory)) if os.path.isdir(directory) else []:
            if name.endswith(".md"):
                text = TextFile(os.path.join(directory, name))
                guides[text.stem] = (folder, text)
                pages[text.stem + ".htm"] = page(text.title, to_html(text.lines))
    pages["index.htm"] = page(index.title, to_html(index.lines))
    pages["classes.htm"] = classes_page(library)
    pages["enumerations.htm"] = enums_page(library)
    errors_text = os.path.join(source, "errors.md")
    pages["errors.htm"] = errors_page(messages, TextFile(errors_text) if os.path.exists(errors_text) else None)

    contents = [(index.title, "index.htm"),
                ("Guides", "index.htm",
                 [(guides[g][1].title, g + ".htm") for g in home_order(index, guides) if guides[g][0] == "guides"]),
                ("Property pages", "index.htm",
                 [(guides[g][1].title, g + ".htm") for g in home_order(index, guides) if guides[g][0] == "pages"]),
                ("Reference", "classes.htm",
                 [("Classes", "classes.htm")]
                 + [(f"{i.name} interface", i.name + ".htm", [(m.name, f"{i.name}.htm#{m.name}") for m in i.members])
                    for i in documented]
                 + [("Enumerations", "enumerations.htm"), ("Errors", "errors.htm")])]
    keywords = sorted([(f"{m.name} ({i.name})", f"{i.name}.htm#{m.name}") for i in documented for m in i.members]
                      + [(f"{i.name} interface", i.name + ".htm") for i in documented]
                      + [(name, "enumerations.htm#" + name) for name, _, _ in library.enums]
                      + [(text.title, stem + ".htm") for stem, (_, text) in guides.items()]
                      + [("Errors", "errors.htm"), ("Classes", "classes.htm")], key=lambda k: k[0].lower())

    broken = broken_links(pages)
    if broken:
        raise HelpError("links to nothing:\n" + "\n".join(broken))

    html_dir = os.path.join(out, "html")
    os.makedirs(html_dir, exist_ok=True)
    for name, text in pages.items():
        with open(os.path.join(html_dir, name), "w", encoding="utf-8") as f:
            f.write(text)
    with open(os.path.join(html_dir, "help.css"), "w", encoding="utf-8") as f:
        f.write(STYLE + "\n")
    with open(os.path.join(html_dir, "ZEW4400.hhc"), "w", encoding="utf-8") as f:
        f.write(sitemap(contents))
    with open(os.path.join(html_dir, "ZEW4400.hhk"), "w", encoding="utf-8") as f:
        f.write(sitemap(keywords))
    with open(os.path.join(html_dir, "ZEW4400.hhp"), "w", encoding="utf-8") as f:
        f.write(project(sorted(pages) + ["help.css"]))
    if chmcmd:
        shutil.copyfile(compile_chm(chmcmd, html_dir), os.path.join(out, HELP_FILE))
    return len(pages)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--idl", required=True)
    parser.add_argument("--messages", required=True, help="the message ids (Messages.h)")
    parser.add_argument("--strings", required=True, help="the message texts (Messages.rc)")
    parser.add_argument("--source", required=True, help="the help's text (docs/help)")
    parser.add_argument("--out", required=True)
    parser.add_argument("--chmcmd", help="compile the help file with this chmcmd into OUT/" + HELP_FILE)
    args = parser.parse_args()
    try:
        count = build(args.idl, args.messages, args.strings, args.source, args.out, args.chmcmd)
    except (HelpError, OSError) as e:
        print(f"help: {e}", file=sys.stderr)
        return 1
    print(f"help: {count} pages in {os.path.join(args.out, 'html')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
