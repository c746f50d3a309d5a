#!/usr/bin/python3
"""Assembles the page in the build tree: the static files of web/static, the core module, the
window's cut pictures from res/art (inlined, so their stylesheet colours them in the page too),
the program's icon, and the service worker's list of files with a cache name from their bytes.

Usage: assemble_site.py STATIC_DIR ART_DIR MODULE_DIR SITE_DIR VERSION
"""

import hashlib
import os
import re
import shutil
import sys

CUTS = ["round", "oval", "square", "rectangle", "marquise", "pear", "triangle", "heart"]


def read_cut(art_dir, cut):
    with open(os.path.join(art_dir, f"cut_{cut}.svg"), encoding="utf-8") as f:
        return f.read()


def shared_defs(art_dir):
    """The gradients every cut picture shares (cut.css names them), once for the whole page."""
    defs = re.search(r"<defs>.*?</defs>", read_cut(art_dir, CUTS[0]), re.S).group(0)
    return f'<svg class="defs" aria-hidden="true" width="0" height="0">{defs}</svg>'


def cut_template(art_dir, cut):
    """One cut picture as a <template>, without its XML prologue and its copy of the gradients."""
    svg = read_cut(art_dir, cut)
    svg = re.sub(r"<\?xml[^>]*\?>\s*", "", svg)
    svg = re.sub(r"<!--.*?-->\s*", "", svg, flags=re.S)
    svg = re.sub(r"<defs>.*?</defs>\s*", "", svg, flags=re.S)
    svg = svg.replace("<svg ", '<svg aria-hidden="true" focusable="false" ', 1)
    return f'<template id="cut-{cut}">{svg.strip()}</template>'


def main(static_dir, art_dir, module_dir, site_dir, version):
    os.makedirs(site_dir, exist_ok=True)
    for name in os.listdir(static_dir):
        shutil.copyfile(os.path.join(static_dir, name), os.path.join(site_dir, name))
    for name in ("velastro-core.mjs", "velastro-core.wasm"):
        shutil.copyfile(os.path.join(module_dir, name), os.path.join(site_dir, name))
    shutil.copyfile(os.path.join(art_dir, "icon.svg"), os.path.join(site_dir, "icon.svg"))
    shutil.copyfile(os.path.join(art_dir, "..", "velastro.ico"),
                    os.path.join(site_dir, "favicon.ico"))

    # The pictures' colours: cut.css, whose ".selected" look the chosen shape's button takes.
    with open(os.path.join(art_dir, "cut.css"), encoding="utf-8") as f:
        cut_css = f.read()
    with open(os.path.join(site_dir, "style.css"), "a", encoding="utf-8") as f:
        f.write("\n" + cut_css)

    page_path = os.path.join(site_dir, "index.html")
    with open(page_path, encoding="utf-8") as f:
        page = f.read()
    templates = "\n".join([shared_defs(art_dir)] + [cut_template(art_dir, cut) for cut in CUTS])
    page = page.replace("<!-- cut pictures -->", templates).replace("@VERSION@", version)
    with open(page_path, "w", encoding="utf-8") as f:
        f.write(page)

    # The files the service worker keeps for offline use, and a cache name that changes with them.
    files = sorted(n for n in os.listdir(site_dir) if n != "sw.js")
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(site_dir, name), "rb") as f:
            digest.update(name.encode() + b"\0" + f.read())
    worker_path = os.path.join(site_dir, "sw.js")
    with open(worker_path, encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace('"@CACHE@"', f'"velastro-{version}-{digest.hexdigest()[:12]}"')
    worker = worker.replace('["@FILES@"]', repr(["./"] + files).replace("'", '"'))
    with open(worker_path, "w", encoding="utf-8") as f:
        f.write(worker)


if __name__ == "__main__":
    main(*sys.argv[1:6])
