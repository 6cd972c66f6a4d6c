#!/usr/bin/env python3
"""Writes the shipped known-object database data/CLSIDs.txt from a table of
well-known, legitimate browser helper objects (tab-separated, with a header;
the first column is the CLSID text without braces).

  python3 tools/make_clsids.py known-bhos.tsv > data/CLSIDs.txt
"""
import sys


def main():
    with open(sys.argv[1], encoding='ascii') as table:
        rows = [line.rstrip('\r\n').split('\t') for line in table][1:]
    sys.stdout.buffer.write(b''.join(row[0].encode('ascii') + b'\r\n' for row in rows if row[0]))


if __name__ == '__main__':
    main()
