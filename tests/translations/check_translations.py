#!/usr/bin/env python3
"""Fails when a translation is missing, unfinished or out of date.

Runs scripts/update-translations.sh over a copy of each committed translations/*.ts, as a
developer would after changing a text, and refuses the result when lupdate found a text
with no translation (a new or changed one: "unfinished"), a translation whose text is gone
from the sources ("vanished", "obsolete": the committed file was not updated), a
translation that still holds Cyrillic letters, one that drops or adds a placeholder
(%1, %n: a value the user would never see, or a stray one) or a line break of a
message laid out in lines.

Usage: check_translations.py SOURCE_ROOT LUPDATE
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

CYRILLIC = re.compile('[\u0400-\u04FF]')
PLACEHOLDER = re.compile(r'%(?:L?\d+|n|Ln)')
SHOWN = 5
SKIPPED = 77  # ctest's SKIP_RETURN_CODE for this test


def text_of(element):
    """The element's text, <byte value="xd"/> read back as the character it stands for."""
    text = element.text or ''
    for child in element:
        if child.tag == 'byte':
            value = child.get('value', '')
            text += chr(int(value[1:], 16) if value.startswith('x') else int(value))
        text += child.tail or ''
    return text


def placeholders(text):
    return sorted(set(PLACEHOLDER.findall(text)))


def faults_of(ts_path):
    faults = []
    for context in ET.parse(ts_path).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            source = text_of(message.find('source'))
            translation = message.find('translation')
            shown = '%s: "%s"' % (name, source.replace('\r\n', ' / ').replace('\n', ' / ')[:90])
            kind = translation.get('type') if translation is not None else 'missing'
            if kind in ('unfinished', 'vanished', 'obsolete', 'missing'):
                faults.append('%s (%s)' % (shown, {
                    'unfinished': 'no translation',
                    'missing': 'no translation',
                    'vanished': 'no longer in the sources',
                    'obsolete': 'no longer in the sources'}[kind]))
                continue
            forms = [text_of(form) for form in translation.iter('numerusform')]
            if message.get('numerus') != 'yes':
                forms = [text_of(translation)]
            for form in forms:
                if not form.strip():
                    faults.append('%s (an empty translation)' % shown)
                elif CYRILLIC.search(form):
                    faults.append('%s (Cyrillic in the English: "%s")' % (shown, form[:60]))
                elif form.count('\r\n') != source.count('\r\n'):
                    faults.append('%s (%d line breaks, the source has %d)' % (
                        shown, form.count('\r\n'), source.count('\r\n')))
                elif placeholders(form) != placeholders(source):
                    faults.append('%s (placeholders %s, the source has %s)' % (
                        shown, ' '.join(placeholders(form)) or 'none',
                        ' '.join(placeholders(source)) or 'none'))
    return faults


def main():
    root, lupdate = sys.argv[1], sys.argv[2]
    if not os.access(lupdate, os.X_OK):
        print('SKIP: Qt 6\'s lupdate is not installed (%s; qt6-l10n-tools, scripts/install-deps.sh)'
              % lupdate)
        return SKIPPED
    folder = os.path.join(root, 'translations')
    committed = sorted(f for f in os.listdir(folder) if re.match(r'snapdeck_\w+\.ts$', f))
    if not committed:
        print('FAIL: no translations/snapdeck_*.ts')
        return 1
    failed = False
    with tempfile.TemporaryDirectory() as work:
        for name in committed:
            copy = os.path.join(work, name)
            shutil.copyfile(os.path.join(folder, name), copy)
            update = subprocess.run(
                [os.path.join(root, 'scripts', 'update-translations.sh'), '--keep-vanished', copy],
                env=dict(os.environ, LUPDATE=lupdate), capture_output=True, text=True)
            if update.returncode != 0:
                print('FAIL: update-translations.sh:\n' + update.stdout + update.stderr)
                return 1
            faults = faults_of(copy)
            if faults:
                failed = True
                print('FAIL: translations/%s: %d text(s) to translate or update '
                      '(scripts/update-translations.sh, then translate), the first:' % (
                          name, len(faults)))
                for fault in faults[:SHOWN]:
                    print('  ' + fault)
            else:
                print('translations/%s: every text is translated' % name)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
