#!/usr/bin/env python3
"""Shows how the folders of a source tree include each other, and which includes break a layering.

Usage (from the project root):
  scripts/layers.py src/engine                 # the folder graph and its cycles
  scripts/layers.py src/engine base,config,... # also every include that runs against
                                               # that order (lowest layer first)
scripts/check-layers.sh runs it with the order docs/architecture.md gives.
A folder is a direct subfolder of the root given; an include counts when it names a file under
that root as "folder/File.h". Exit status 1 when an order is given and an include breaks it.
"""
import os
import re
import sys
from collections import defaultdict

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def graph(root):
    folders = sorted(d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d)))
    edges = defaultdict(list)  # (from, to) -> [file:line include]
    for folder in folders:
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if not name.endswith((".h", ".hpp", ".cpp", ".cc")):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for n, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = m.group(1).split("/")[0]
                        if target in folders and target != folder and os.path.exists(os.path.join(root, m.group(1))):
                            edges[(folder, target)].append("%s:%d %s" % (os.path.relpath(path), n, m.group(1)))
    return folders, edges


def cycles(folders, edges):
    succ = defaultdict(set)
    for a, b in edges:
        succ[a].add(b)
    index, low, stack, on, out, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]; counter[0] += 1
        stack.append(v); on.add(v)
        for w in succ[v]:
            if w not in index:
                visit(w); low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop(); on.discard(w); comp.append(w)
                if w == v:
                    break
            if len(comp) > 1:
                out.append(sorted(comp))
    for v in folders:
        if v not in index:
            visit(v)
    return out


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    root = sys.argv[1].rstrip("/")
    folders, edges = graph(root)
    print("folders: " + ", ".join(folders))
    for (a, b), sites in sorted(edges.items()):
        print("  %-12s -> %-12s %3d includes" % (a, b, len(sites)))
    cyc = cycles(folders, edges)
    print("cycles: " + ("; ".join(" <-> ".join(c) for c in cyc) if cyc else "none"))
    if len(sys.argv) < 3:
        return 0
    order = sys.argv[2].split(",")
    missing = [f for f in folders if f not in order]
    if missing:
        print("not placed in the order: " + ", ".join(missing))
    rank = {f: i for i, f in enumerate(order)}
    bad = [(a, b, s) for (a, b), s in sorted(edges.items()) if a in rank and b in rank and rank[b] > rank[a]]
    for a, b, sites in bad:
        print("UP  %s -> %s:" % (a, b))
        for s in sites:
            print("      " + s)
    print("%d includes run upward" % sum(len(s) for _, _, s in bad))
    return 1 if bad or missing else 0


if __name__ == "__main__":
    sys.exit(main())
