#!/bin/sh
# Regenerates the word-processor RTF fixtures from tests/fixtures/rtf/sample.html with the
# converters Debian ships (libreoffice-writer-nogui, pandoc, abiword).
set -eu
dir=$(cd "$(dirname "$0")/../tests/fixtures/rtf" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$dir/sample.html" "$work/"
cd "$work"
soffice --headless --convert-to 'rtf:Rich Text Format' --infilter='HTML (StarWriter)' --outdir lo sample.html
cp lo/sample.rtf "$dir/sample-libreoffice.rtf"
pandoc -s -f html -t rtf sample.html -o "$dir/sample-pandoc.rtf"
abiword --to=rtf -o "$dir/sample-abiword.rtf" sample.html
