#!/usr/bin/env python3
"""Writes the shipped content documents into content/:

  PR0.Hlp - PR24.Hlp      the Security Rule sections (rule_docs.py)
  Misc0.Hlp - Misc63.Hlp  topics, forms, templates and the sample recovery plan
  SampleAct.Dat, SampleCom.Dat, SamplePol.Dat  the sample entry (Password Management)
  QUORVANE.hlp            the help file (help_text.py)
  RefRA1.Dat ... PPReq1.Dat, Addtl45.dat  the references in the rule and the additional
                          information shipped as documents (reference_docs.py)

Run from anywhere: python3 tools/make_content.py [output folder]. Standard library only.
The rule documents quote the reference texts in tests/data/.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import help_text  # noqa: E402
import misc_docs  # noqa: E402
import reference_docs  # noqa: E402
import rule_docs  # noqa: E402
import templates  # noqa: E402

MISC_COUNT = 64
PR_COUNT = 25


def build(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    written = []

    for n in rule_docs.build(out_dir):
        written.append("PR%d.Hlp" % n)

    docs = misc_docs.build_docs()
    for entry in templates.TEMPLATES:
        name = "Misc%d.Hlp" % entry[0]
        if name in docs:
            raise SystemExit("template number used twice: " + name)
        docs[name] = templates.template_doc(entry)
    missing = [n for n in range(MISC_COUNT) if "Misc%d.Hlp" % n not in docs]
    if missing:
        raise SystemExit("no document for Misc%s.Hlp" % missing)
    for name, doc in sorted(docs.items()):
        doc.write(os.path.join(out_dir, name))
        written.append(name)

    written.extend(reference_docs.build(out_dir))

    with open(os.path.join(out_dir, "QUORVANE.hlp"), "w", encoding="utf-8", newline="\n") as f:
        f.write(help_text.help_file_text())
    written.append("QUORVANE.hlp")
    return written


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(HERE), "content")
    written = build(out_dir)
    print("wrote %d files to %s" % (len(written), out_dir))


if __name__ == "__main__":
    main()
