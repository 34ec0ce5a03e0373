"""The files of a VB6 project on the disk: its project file and the listed
sources that can be found, each listed name tried in every candidate code
page (the benchmark does not assume the answer), matched case-insensitively
as Windows would."""
import os
import re

CODECS = ['cp936', 'cp950', 'cp932', 'cp949', 'cp874', 'cp1250', 'cp1251', 'cp1252', 'cp1253',
          'cp1254', 'cp1255', 'cp1256', 'cp1257', 'cp1258', 'utf-8']
KEYS = {b'FORM': False, b'MODULE': True, b'CLASS': True, b'USERCONTROL': False, b'PROPERTYPAGE': False}


def python_codec(name):
    """Python's codec for an ICU or manifest name (windows-936-2000, windows-1252, UTF-8)."""
    m = re.match(r'(?:windows|cp|ibm)-?(\d+)', name, re.I)
    if m:
        return 'cp' + m.group(1)
    return {'utf-8': 'utf-8', 'shift_jis': 'cp932', 'gbk': 'cp936', 'big5': 'cp950'}.get(name.lower(), name)


def listed_names(data):
    for line in data.split(b'\n'):
        line = line.rstrip(b'\r')
        if b'=' not in line:
            continue
        key, value = line.split(b'=', 1)
        named = KEYS.get(key.strip().upper())
        if named is None:
            continue
        if named:
            if b';' not in value:
                continue
            value = value.split(b';', 1)[1]
        yield value.strip().strip(b'"')


def project_files(vbp):
    folder = os.path.dirname(vbp)
    root = folder
    while os.path.dirname(root) != root and not re.fullmatch(r'[0-9a-f]{40}', os.path.basename(root)):
        root = os.path.dirname(root)
    if os.path.dirname(root) == root:
        root = folder
    index = {}
    for dirpath, _, names in os.walk(root):
        for n in names:
            p = os.path.join(dirpath, n)
            index.setdefault(os.path.normpath(p).lower(), p)
    found = []
    for raw in listed_names(open(vbp, 'rb').read()):
        for codec in CODECS:
            try:
                name = raw.decode(codec)
            except UnicodeDecodeError:
                continue
            p = index.get(os.path.normpath(os.path.join(folder, name.replace('\\', '/'))).lower())
            if p and p not in found:
                found.append(p)
                break
    return [vbp] + found
