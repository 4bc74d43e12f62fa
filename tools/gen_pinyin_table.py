#!/usr/bin/python3
"""Builds src/data/pinyintable.cpp, the syllable list and the GBK character index behind PinyinInitials().

The readings come from the Unihan database as Debian ships it in the package unicode-data
(/usr/share/unicode/Unihan_Readings.txt.bz2). For every double-byte GBK code (lead 0x81-0xFE, trail
0x40-0xFE without 0x7F) that decodes to a Chinese character of GB 2312 or of the GBK extension areas,
the index holds the number of one syllable: the first kMandarin value without tone marks (u with
diaeresis written as v), else the first reading of kHanyuPinyin, kXHC1983, kTGHZ2013 or kHanyuPinlu,
and for the handful of characters without any Mandarin reading a romanised reading of another
field (kCantonese without its tone digit, kKorean, kJapaneseKun). OVERRIDES pins the readings that
must not follow the data, ZERO_CODES lists the codes that must stay without a reading.

Standard library only. Run from anywhere:
    /usr/bin/python3 tools/gen_pinyin_table.py [--unihan FILE] [--output FILE]
"""

import argparse
import bz2
import os
import re
import sys
import unicodedata

DEFAULT_UNIHAN = '/usr/share/unicode/Unihan_Readings.txt.bz2'
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'src', 'data', 'pinyintable.cpp')

LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFE
ROW_SIZE = TRAIL_LAST - TRAIL_FIRST + 1  # 191
ROWS = LEAD_LAST - LEAD_FIRST + 1  # 126

MANDARIN_FIELDS = ['kMandarin', 'kHanyuPinyin', 'kXHC1983', 'kTGHZ2013', 'kHanyuPinlu']
OTHER_FIELDS = ['kCantonese', 'kKorean', 'kJapaneseKun']

# Character, GBK code, reading. These are fixed whatever the data says: polyphonic characters read the way
# names are looked up in the office, and the Korean characters 乫 乬 乭 and the rare 屗 keep their
# customary non-Mandarin readings.
OVERRIDES = [
    ('张', 0xD5C5, 'zhang'), ('长', 0xB3A4, 'zhang'), ('重', 0xD6D8, 'zhong'), ('行', 0xD0D0, 'hang'),
    ('曾', 0xD4F8, 'ceng'), ('单', 0xB5A5, 'dan'), ('解', 0xBDE2, 'jie'), ('仇', 0xB3F0, 'chou'),
    ('查', 0xB2E9, 'cha'), ('朴', 0xC6D3, 'pu'), ('区', 0xC7F8, 'qu'), ('乐', 0xC0D6, 'le'),
    ('尉', 0xCEBE, 'wei'), ('翟', 0xB5D4, 'zhai'), ('覃', 0xF1FB, 'tan'), ('缪', 0xE7D1, 'miu'),
    ('厦', 0xCFC3, 'sha'), ('率', 0xC2CA, 'lv'), ('萬', 0xC866, 'wan'), ('乫', 0x8166, 'kal'),
    ('乬', 0x8167, 'keol'), ('乭', 0x8168, 'tol'), ('屗', 0x8CCB, 'uu'),
]

# Codes of the Chinese areas that stay without a reading: 兝 and 瓱 (unit characters), the compatibility
# ideographs FD9C-FDA0 and FE40-FE4F.
ZERO_CODES = {0x83C0, 0xAD9F} | set(range(0xFD9C, 0xFDA1)) | set(range(0xFE40, 0xFE50))

SYLLABLE_RE = re.compile(r'^[a-z]{1,6}$')


def is_gb2312_hanzi(lead, trail):
    return 0xB0 <= lead <= 0xF7 and trail >= 0xA1


def is_gbk_extension(lead, trail):
    return 0x81 <= lead <= 0xA0 or (0xAA <= lead <= 0xFE and trail <= 0xA0)


def plain_pinyin(value):
    """zhǎng -> zhang, lǜ -> lv, ê̄ -> e: lowercase ASCII letters only."""
    text = unicodedata.normalize('NFD', value.strip().lower()).replace('u\u0308', 'v')
    return ''.join(c for c in text if not unicodedata.combining(c))


def first_reading(field, value):
    """The first reading of a Unihan field value, as a plain syllable, or None."""
    value = value.strip()
    if not value:
        return None
    if field == 'kMandarin':
        raw = value.split()[0]
    elif field in ('kHanyuPinyin', 'kXHC1983', 'kTGHZ2013'):
        # "10019.020,10019.030:tiàn,tián 10020.010:..." - locations, a colon, readings separated by commas
        entry = value.split()[0]
        raw = entry.split(':', 1)[1].split(',')[0] if ':' in entry else ''
    elif field == 'kHanyuPinlu':
        raw = value.split()[0].split('(')[0]  # "yī(32747)"
    elif field == 'kCantonese':
        raw = re.sub(r'[0-9]', '', value.split()[0])  # Jyutping "sap6"
    else:  # kKorean, kJapaneseKun
        raw = value.split()[0]
    reading = plain_pinyin(raw)
    return reading if SYLLABLE_RE.match(reading) else None


def load_unihan(path):
    readings = {}
    version = ''
    with bz2.open(path, 'rt', encoding='utf-8') as stream:
        for line in stream:
            if line.startswith('#'):
                if line.startswith('# Unicode version:'):
                    version = line.split(':', 1)[1].strip()
                continue
            parts = line.rstrip('\n').split('\t', 2)
            if len(parts) != 3 or not parts[0].startswith('U+'):
                continue
            code_point, field, value = parts
            if field in MANDARIN_FIELDS or field in OTHER_FIELDS:
                readings.setdefault(int(code_point[2:], 16), {})[field] = value
    return readings, version


def reading_of(char, readings):
    fields = readings.get(ord(char), {})
    for field in MANDARIN_FIELDS + OTHER_FIELDS:
        if field in fields:
            reading = first_reading(field, fields[field])
            if reading:
                return reading
    return None


def build(readings):
    overrides = {}
    for char, code, reading in OVERRIDES:
        decoded = bytes([code >> 8, code & 0xFF]).decode('gbk')
        if decoded != char:
            sys.exit('override %04X decodes to %s, not %s' % (code, decoded, char))
        overrides[code] = reading

    by_code = {}
    missing = []
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
            if trail == 0x7F or not (is_gb2312_hanzi(lead, trail) or is_gbk_extension(lead, trail)):
                continue
            code = (lead << 8) | trail
            try:
                char = bytes([lead, trail]).decode('gbk')
            except UnicodeDecodeError:
                continue  # user-defined area, empty GB 2312 slots
            if code in ZERO_CODES:
                continue
            reading = overrides.get(code) or reading_of(char, readings)
            if reading is None:
                missing.append('%04X %s' % (code, char))
            else:
                by_code[code] = reading
    if missing:
        sys.exit('characters without a reading: ' + ', '.join(missing))

    syllables = sorted(set(by_code.values()))
    number = {s: i + 1 for i, s in enumerate(syllables)}
    index = [0] * (ROWS * ROW_SIZE)
    for code, reading in by_code.items():
        lead, trail = code >> 8, code & 0xFF
        index[(lead - LEAD_FIRST) * ROW_SIZE + (trail - TRAIL_FIRST)] = number[reading]
    if max(index) > 0xFFFF:
        sys.exit('too many syllables for 16-bit entries')
    return syllables, index, len(by_code)


def write_cpp(path, syllables, index, version):
    out = []
    out.append('// Generated by tools/gen_pinyin_table.py from /usr/share/unicode/Unihan_Readings.txt.bz2; '
               'rerun it to regenerate.')
    out.append('// Run: /usr/bin/python3 tools/gen_pinyin_table.py (needs the Debian package unicode-data; Unihan of '
               'Unicode %s).' % version)
    out.append('// Do not edit by hand: change the generator and run it again.')
    out.append('#include "data/pinyintable.h"')
    out.append('')
    out.append('const int kPinyinSyllableCount = %d;' % len(syllables))
    out.append('')
    out.append('// Number 0 is "no reading"; syllable n is kPinyinSyllables[n].')
    out.append('const char *const kPinyinSyllables[%d] = {' % (len(syllables) + 1))
    line = '    ""'
    for syllable in syllables:
        item = '"%s"' % syllable
        if len(line) + 2 + len(item) > 119:
            out.append(line + ',')
            line = '    ' + item
        else:
            line += ', ' + item
    out.append(line + ',')
    out.append('};')
    out.append('')
    out.append('// Entry (lead - 0x81) * 191 + (trail - 0x40): the syllable number of that GBK double-byte code.')
    out.append('const quint16 kPinyinIndex[%d] = {' % len(index))
    for row in range(ROWS):
        out.append('    // lead %02X, trail 40..FE' % (LEAD_FIRST + row))
        line = '   '
        for number in index[row * ROW_SIZE:(row + 1) * ROW_SIZE]:
            item = ' %d,' % number
            if len(line) + len(item) > 120:
                out.append(line)
                line = '   '
            line += item
        out.append(line)
    out.append('};')
    with open(path, 'w', encoding='utf-8', newline='\n') as stream:
        stream.write('\n'.join(out) + '\n')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--unihan', default=DEFAULT_UNIHAN)
    parser.add_argument('--output', default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    readings, version = load_unihan(args.unihan)
    syllables, index, characters = build(readings)
    write_cpp(os.path.normpath(args.output), syllables, index, version)
    print('%d characters, %d syllables -> %s' % (characters, len(syllables), os.path.normpath(args.output)))


if __name__ == '__main__':
    main()
