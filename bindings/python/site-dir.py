#!/usr/bin/env python3
"""Prints where under PREFIX the Python module goes, relative to PREFIX: the folder of this python3's
own site directories that lies under PREFIX (for Debian's python3 and /usr/local,
lib/python3.X/dist-packages), or else the standard layout of a prefix (lib/python3.X/site-packages).
Usage: site-dir.py PREFIX
"""
import os
import site
import sys
import sysconfig


def main():
    prefix = os.path.abspath(sys.argv[1])
    under = [d for d in site.getsitepackages() if os.path.commonpath([os.path.abspath(d), prefix]) == prefix]
    if under:
        # /usr holds /usr/lib/python3/dist-packages and /usr/local/...: the nearest is the prefix's own.
        chosen = min(under, key=lambda d: len(os.path.relpath(d, prefix).split(os.sep)))
    else:
        chosen = sysconfig.get_path("purelib", "posix_prefix", vars={"base": prefix, "platbase": prefix})
    print(os.path.relpath(chosen, prefix))


if __name__ == "__main__":
    main()
