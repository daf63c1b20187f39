#!/usr/bin/env bash
# The packaging checks of ./test: the desktop entry and the software-centre description validate,
# the package installs the expected tree into a scratch DESTDIR, lintian finds no error in the
# Debian package (its warnings are listed), and SHA256SUMS holds its sum.
set -euo pipefail
cd "$(dirname "$0")/.."

./package deb >/dev/null
build=build-package
deb=$(ls -1 irven-configurator_*.deb | tail -n 1)

echo "--- SHA256SUMS"
sha256sum -c SHA256SUMS
grep -q " $deb\$" SHA256SUMS

echo "--- desktop entry and metainfo"
desktop-file-validate "$build/ui/org.irven.Configurator.desktop"
appstreamcli validate --no-net "$build/ui/org.irven.Configurator.metainfo.xml"

echo "--- installed tree"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
DESTDIR="$scratch" cmake --install "$build" >/dev/null
expected=(
    usr/bin/irven-configurator
    usr/bin/irven-cli
    usr/bin/irven-panel-sim
    usr/share/applications/org.irven.Configurator.desktop
    usr/share/metainfo/org.irven.Configurator.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/org.irven.Configurator.svg
    usr/share/man/man1/irven-configurator.1.gz
    usr/share/man/man1/irven-cli.1.gz
    usr/share/man/man1/irven-panel-sim.1.gz
    usr/share/doc/irven-configurator/copyright
    usr/share/doc/irven-configurator/changelog.gz
    usr/share/doc/irven-configurator/guide-ru.html
    usr/share/doc/irven-configurator/guide-uk.html
)
for file in "${expected[@]}"; do
    [ -f "$scratch/$file" ] || { echo "missing from the installed tree: $file"; exit 1; }
done
unexpected=$(cd "$scratch" && find . -type f | sed 's|^\./||' | sort |
    comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$unexpected" ] || { echo "unexpected in the installed tree:"; echo "$unexpected"; exit 1; }
grep -q "irven-cli ports" <<<"$("$scratch/usr/bin/irven-cli" --help)"
for page in irven-configurator irven-cli irven-panel-sim; do
    out=$(LC_ALL=C.UTF-8 man --warnings -l "$scratch/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$out" ] || { echo "$page.1: $out"; exit 1; }
done
contents=$(dpkg-deb --contents "$deb")
grep -q './usr/bin/irven-cli$' <<<"$contents"
grep -q 'libqt6widgets6' <<<"$(dpkg-deb --field "$deb" Depends)"

echo "--- lintian $deb"
report=$(lintian --tag-display-limit 0 "$deb" || true)
echo "${report:-no tags}"
if grep -q '^E:' <<<"$report"; then
    exit 1
fi
