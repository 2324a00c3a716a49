#!/usr/bin/env bash
# The deb-src entries that setup derives from a machine's package sources,
# checked against sample source folders in a temporary root.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/apt-sources.sh"

failures=0
check() {  # name expected actual
  if [ "$2" == "$3" ]; then echo "ok: $1"; else
    echo "FAILED: $1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/  /'; failures=$((failures + 1))
  fi
}
new_root() { root=$(mktemp -d); mkdir -p "$root/etc/apt/sources.list.d"; }

# deb822: two stanzas, one of which already carries deb-src; a disabled stanza.
new_root
cat > "$root/etc/apt/sources.list.d/debian.sources" <<'SRC'
Types: deb deb-src
# a comment inside the stanza
URIs: http://mirror.example/debian/
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Enabled: no
Types: deb
URIs: http://disabled.example/debian
Suites: bookworm
Components: main
SRC
security_src="Types: deb-src
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
check "deb822: only the stanza without deb-src is derived" "$security_src" "$(derive_deb_src "$root")"

# The file that setup writes itself does not count as an existing entry.
sed 's/^Types: deb$/Types: deb-src/' "$root/etc/apt/sources.list.d/debian.sources" \
  > "$root/etc/apt/sources.list.d/ours.sources"
check "our own file is ignored" "$security_src" \
  "$(derive_deb_src "$root" "$root/etc/apt/sources.list.d/ours.sources")"
check "covered by another file: nothing to write" "" "$(derive_deb_src "$root")"
rm -rf "$root"

# Classic list: options in brackets, a commented-out line, a trailing comment,
# a source that already has its deb-src line (with a slash more), a flat suite.
new_root
cat > "$root/etc/apt/sources.list" <<'SRC'
deb [arch=amd64 signed-by=/etc/apt/keyrings/cache.gpg] http://cache.local/debian bookworm main non-free # local cache
# deb http://commented.example/debian bookworm main
deb [ trusted=yes ] http://flat.example/repo ./
deb http://cache.local/security bookworm-security main
deb-src http://cache.local/security/ bookworm-security main
SRC
check "classic list: keyring and trust carried, comments and covered lines skipped" \
"Types: deb-src
URIs: http://cache.local/debian
Suites: bookworm
Components: main non-free
Signed-By: /etc/apt/keyrings/cache.gpg

Types: deb-src
URIs: http://flat.example/repo
Suites: ./
Trusted: yes" "$(derive_deb_src "$root")"
rm -rf "$root"

# An inline key in Signed-By keeps its lines, including the " ." empty line.
new_root
cat > "$root/etc/apt/sources.list.d/inline.sources" <<'SRC'
Types: deb
URIs: http://inline.example/debian
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEYCQjIxYJKwYBBAHaRw8BAQdAD
 -----END PGP PUBLIC KEY BLOCK-----
SRC
check "inline keyring kept line for line" \
"Types: deb-src
URIs: http://inline.example/debian
Suites: bookworm
Components: main
Signed-By: 
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEYCQjIxYJKwYBBAHaRw8BAQdAD
 -----END PGP PUBLIC KEY BLOCK-----" "$(derive_deb_src "$root")"
rm -rf "$root"

# No binary source at all (only commented lines, a deb-src, a disabled stanza): status 1.
new_root
printf '# deb http://x.example/debian bookworm main\ndeb-src http://x.example/debian bookworm main\n' \
  > "$root/etc/apt/sources.list"
printf 'Types: deb\nEnabled: no\nURIs: http://y.example\nSuites: bookworm\nComponents: main\n' \
  > "$root/etc/apt/sources.list.d/off.sources"
derive_deb_src "$root" >/dev/null
check "no deb source: status 1" 1 "$?"
rm -rf "$root"

[ $failures -eq 0 ] && echo "all passed" || { echo "$failures failed"; exit 1; }
