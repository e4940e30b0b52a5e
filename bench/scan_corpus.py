#!/usr/bin/env python3
"""Writes the scan benchmark's corpora: nested folders of generated files.

  scan_corpus.py big   DIR PHRASE   ~1 GiB in ~20,000 files: text of 1-200 KB (sizes
                                    spread evenly on a log scale), one in ten binary
                                    with zero bytes, a few text files of several MB
  scan_corpus.py small DIR PHRASE   200,000 text files of 1-4 KB

The phrase goes into about 1% of the files, inside one 256-byte block and after
the block's last zero byte, so that every tool agrees on which files hold it.
Contents are slices of one generated pool, so writing is the only real cost.
The same seed gives the same corpus. Prints "FILES BYTES" when done.
"""

import math
import os
import random
import sys


def make_text_pool(rng, size):
    letters = "etaoinshrdlcumwfgypbvkjxqz"
    weights = [12.7, 9.1, 8.2, 7.5, 7.0, 6.7, 6.3, 6.1, 6.0, 4.3, 4.0, 2.8, 2.8, 2.4,
               2.4, 2.2, 2.0, 2.0, 1.9, 1.5, 1.0, 0.8, 0.15, 0.15, 0.1, 0.07]
    words = []
    for _ in range(3000):
        length = rng.choice([1, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 6, 6, 7, 8, 9, 11])
        word = "".join(rng.choices(letters, weights, k=length))
        if rng.random() < 0.1:
            word = word.capitalize()
        words.append(word)
    punctuation = [" ", " ", " ", " ", " ", " ", " ", ", ", ". ", ".\n", "\n", " (", ") ",
                   "; ", " = ", "_", "/", ": ", "\"", "-", "\t", "{\n    ", "}\n"]
    out = []
    total = 0
    while total < size:
        line = "".join(w + p for w, p in zip(rng.choices(words, k=64),
                                              rng.choices(punctuation, k=64)))
        out.append(line)
        total += len(line)
    return "".join(out).encode("ascii")[:size]


def plant(contents, phrase, rng):
    """Puts the phrase inside one block, after that block's last zero byte."""
    data = bytearray(contents)
    if len(data) < len(phrase) + 8:
        data = bytearray(b"x" * 8) + phrase
        return bytes(data)
    for _ in range(50):
        at = rng.randrange(0, len(data) - len(phrase))
        block_start = at - at % 256
        if at + len(phrase) > block_start + 256:
            continue
        if 0 in data[block_start:at + len(phrase)]:
            continue
        data[at:at + len(phrase)] = phrase
        return bytes(data)
    # A block cleared of zero bytes for it.
    at = 8
    data[0:256] = b"." * min(256, len(data))
    data[at:at + len(phrase)] = phrase
    return bytes(data)


def write_corpus(root, plan, pool, binary_pool, phrase, rng):
    files = 0
    total = 0
    made = set()
    for folder, name, size, binary in plan:
        path = os.path.join(root, folder)
        if path not in made:
            os.makedirs(path, exist_ok=True)
            made.add(path)
        source = binary_pool if binary else pool
        if size >= len(source):
            contents = (source * (size // len(source) + 1))[:size]
        else:
            start = rng.randrange(0, len(source) - size)
            contents = source[start:start + size]
        if rng.random() < 0.01:
            # Case as a person might type it in a document.
            variant = rng.choice([phrase, phrase.upper(), phrase.title()])
            contents = plant(contents, variant.encode("ascii"), rng)
        with open(os.path.join(path, name), "wb") as out:
            out.write(contents)
        files += 1
        total += len(contents)
    return files, total


def big_plan(rng):
    plan = []
    for index in range(20000):
        folder = "a%02d/b%d/c%d" % (index % 20, index // 20 % 10, index // 200 % 4)
        if index % 1000 == 7:
            size = rng.randrange(8 << 20, 16 << 20)
            plan.append((folder, "large%05d.log" % index, size, False))
        elif index % 10 == 3:
            size = int(math.exp(rng.uniform(math.log(1024), math.log(200 * 1024))))
            plan.append((folder, "blob%05d.bin" % index, size, True))
        else:
            size = int(math.exp(rng.uniform(math.log(1024), math.log(200 * 1024))))
            plan.append((folder, "text%05d.txt" % index, size, False))
    return plan


def small_plan(rng):
    plan = []
    for index in range(200000):
        folder = "a%02d/b%02d" % (index % 50, index // 50 % 40)
        plan.append((folder, "note%06d.txt" % index, rng.randrange(1024, 4097), False))
    return plan


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("big", "small"):
        sys.exit(__doc__)
    kind, root, phrase = sys.argv[1], sys.argv[2], sys.argv[3]
    rng = random.Random(20261208 if kind == "big" else 1208)
    pool = make_text_pool(rng, 24 << 20)
    binary_pool = bytes(rng.getrandbits(8) for _ in range(1 << 20))
    plan = big_plan(rng) if kind == "big" else small_plan(rng)
    files, total = write_corpus(root, plan, pool, binary_pool, phrase, rng)
    print(files, total)


if __name__ == "__main__":
    main()
