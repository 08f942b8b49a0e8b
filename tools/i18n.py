#!/usr/bin/env python3
"""Keeps the translation sources in src/i18n complete.

  i18n.py check                 exit 1 when a German or English entry is unfinished
  i18n.py fill-en               English translations = source texts
  i18n.py apply FILE.tsv        set German translations from lines "source<TAB>german"
                                (optionally "context<TAB>source<TAB>german"; a line
                                feed inside a text written as \\n)
  i18n.py missing               list German entries still unfinished
  i18n.py merge-driver O A B    git merge driver: union of both sides' messages
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DE = ROOT / "src" / "i18n" / "ovra_de.ts"
EN = ROOT / "src" / "i18n" / "ovra_en.ts"


def load(path):
    return ET.parse(path)


def save(tree, path):
    root = tree.getroot()
    ET.indent(root, space="    ")
    body = ET.tostring(root, encoding="unicode")
    Path(path).write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n", encoding="utf-8")


def messages(tree):
    for ctx in tree.getroot().findall("context"):
        name = ctx.findtext("name")
        for msg in ctx.findall("message"):
            yield name, msg


def unfinished(msg):
    tr = msg.find("translation")
    if tr is None:
        return True
    if tr.get("type") in ("vanished", "obsolete"):
        return False
    if msg.get("numerus") == "yes":
        return tr.get("type") == "unfinished" or not any((f.text or "") for f in tr.findall("numerusform"))
    return tr.get("type") == "unfinished" or not (tr.text or "")


def finish(msg, text):
    tr = msg.find("translation")
    if tr is None:
        tr = ET.SubElement(msg, "translation")
    if "type" in tr.attrib:
        del tr.attrib["type"]
    if msg.get("numerus") == "yes":
        forms = tr.findall("numerusform") or [ET.SubElement(tr, "numerusform")]
        for f in forms:
            f.text = text
    else:
        tr.text = text


def cmd_check():
    bad = 0
    for path in (DE, EN):
        for ctx, msg in messages(load(path)):
            if unfinished(msg):
                bad += 1
                print(f"{path.name}: {ctx}: {msg.findtext('source')!r} has no translation")
    return 1 if bad else 0


def cmd_fill_en():
    tree = load(EN)
    for _, msg in messages(tree):
        if unfinished(msg):
            finish(msg, msg.findtext("source"))
    save(tree, EN)
    return 0


def cmd_apply(tsv):
    table = {}
    for line in Path(tsv).read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        # A line feed inside a text is written as \n.
        parts = [part.replace("\\n", "\n") for part in line.split("\t")]
        if len(parts) == 2:
            table[(None, parts[0])] = parts[1]
        elif len(parts) == 3:
            table[(parts[0], parts[1])] = parts[2]
    tree = load(DE)
    done = 0
    for ctx, msg in messages(tree):
        src = msg.findtext("source")
        text = table.get((ctx, src), table.get((None, src)))
        if text is not None:
            finish(msg, text)
            done += 1
    save(tree, DE)
    print(f"set {done} German translations")
    return 0


def cmd_missing():
    for ctx, msg in messages(load(DE)):
        if unfinished(msg):
            print(f"{ctx}\t{msg.findtext('source')}")
    return 0


def cmd_merge_driver(base, ours, theirs):
    """Union of the messages of both sides, keyed by context and source; a
    finished translation wins over an unfinished one."""
    a = load(ours)
    b = load(theirs)
    contexts = {c.findtext("name"): c for c in a.getroot().findall("context")}
    for ctx in b.getroot().findall("context"):
        name = ctx.findtext("name")
        mine = contexts.get(name)
        if mine is None:
            a.getroot().append(ctx)
            contexts[name] = ctx
            continue
        known = {m.findtext("source") + "\x00" + (m.findtext("comment") or ""): m for m in mine.findall("message")}
        for msg in ctx.findall("message"):
            key = msg.findtext("source") + "\x00" + (msg.findtext("comment") or "")
            if key not in known:
                mine.append(msg)
            elif unfinished(known[key]) and not unfinished(msg):
                mine.remove(known[key])
                mine.append(msg)
    roots = a.getroot()
    ordered = sorted(roots.findall("context"), key=lambda c: c.findtext("name"))
    for c in roots.findall("context"):
        roots.remove(c)
    for c in ordered:
        roots.append(c)
    save(a, ours)
    return 0


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    cmd = argv[1]
    if cmd == "check":
        return cmd_check()
    if cmd == "fill-en":
        return cmd_fill_en()
    if cmd == "apply" and len(argv) == 3:
        return cmd_apply(argv[2])
    if cmd == "missing":
        return cmd_missing()
    if cmd == "merge-driver" and len(argv) == 5:
        return cmd_merge_driver(argv[2], argv[3], argv[4])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
