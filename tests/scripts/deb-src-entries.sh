#!/usr/bin/env bash
# deb-src entries derived from hand-written apt source files of both formats.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/one-line.list" <<'SRC'
# a comment line
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://ftp.it.debian.org/debian/ bookworm main contrib
deb http://security.debian.org/debian-security bookworm-security main # already has deb-src
deb-src http://security.debian.org/debian-security/ bookworm-security main
deb [ signed-by=/usr/share/keyrings/other.gpg ] https://repo.example.org/node nodistro main
deb https://packages.example.org/apt cloud-sdk-bookworm main
deb http://archive.example.org/debian bullseye main
SRC
cat >"$work/stanzas.sources" <<'SRC'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NlOSmpSyE
 -----END PGP PUBLIC KEY BLOCK-----

# switched off: no entry
Enabled: no
Types: deb
URIs: http://deb.example.org/debian
Suites: bookworm
Components: main

Types: deb deb-src
URIs: http://mirror.example.org/debian
Suites: bookworm-backports
Components: main
SRC
# The same source twice (a .list and a .sources) gives one entry.
cp "$work/one-line.list" "$work/again.list"

"$here/../../scripts/deb-src-entries" bookworm "$work/one-line.list" "$work/stanzas.sources" \
  "$work/again.list" >"$work/got"
cat >"$work/expected" <<'SRC'
Types: deb-src
URIs: http://ftp.it.debian.org/debian/
Suites: bookworm
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: 
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEADmW5NlOSmpSyE
 -----END PGP PUBLIC KEY BLOCK-----
SRC
diff -u "$work/expected" "$work/got"

[[ -z "$("$here/../../scripts/deb-src-entries" trixie "$work/stanzas.sources")" ]] ||
  { echo "FAILED: entries for a release the files do not hold" >&2; exit 1; }
echo "deb-src entries: as expected"
